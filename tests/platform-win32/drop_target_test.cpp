// The OLE drop target: its COM identity, what it tells the receiver about a drag, and what it
// hands over on a drop.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/drop_target.h"
#include "test_data_object.h"
#include "test_host_window.h"

namespace platform_win32_test {
namespace {

using platform::DropEffect;
using platform::DropPayload;

// Answers as the toolkit does: acceptable data is copied with Ctrl and moved without.
class RecordingReceiver : public platform::DropReceiver {
public:
    DropEffect dragEnter(bool offersText, bool offersFiles, uint32_t keyState) override {
        enteredWithText = offersText;
        enteredWithFiles = offersFiles;
        acceptable = offersText || offersFiles;
        return dragOver(keyState);
    }
    DropEffect dragOver(uint32_t keyState) override {
        lastKeyState = keyState;
        if (!acceptable) return DropEffect::None;
        return (keyState & platform::kDropKeyControl) != 0 ? DropEffect::Copy : DropEffect::Move;
    }
    void dragLeave() override { ++leaves; }
    void drop(const DropPayload& payload) override { drops.push_back(payload); }

    bool enteredWithText = false;
    bool enteredWithFiles = false;
    bool acceptable = false;
    uint32_t lastKeyState = 0;
    int leaves = 0;
    std::vector<DropPayload> drops;
};

class DropTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::initialiseDragAndDrop();
        target = new platform::win32::DropTarget(&receiver);
        target->AddRef();
    }
    void TearDown() override {
        target->Release();
        platform::uninitialiseDragAndDrop();
    }

    DWORD enter(TestDataObject& data, DWORD keyState) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragEnter(&data, keyState, POINTL{5, 5}, &effect), S_OK);
        return effect;
    }
    DWORD over(DWORD keyState) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragOver(keyState, POINTL{6, 6}, &effect), S_OK);
        return effect;
    }
    void drop(TestDataObject& data) {
        DWORD effect = DROPEFFECT_COPY;
        EXPECT_EQ(target->Drop(&data, 0, POINTL{7, 7}, &effect), S_OK);
    }

    RecordingReceiver receiver;
    platform::win32::DropTarget* target = nullptr;
};

TEST_F(DropTargetTest, AnswersForTheDropTargetAndUnknownInterfacesOnly) {
    void* object = nullptr;
    ASSERT_EQ(target->QueryInterface(IID_IDropTarget, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDropTarget*>(target));
    ASSERT_EQ(target->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDropTarget*>(target));
    EXPECT_EQ(target->AddRef(), 4u) << "each successful query adds a reference";
    EXPECT_EQ(target->Release(), 3u);
    target->Release();
    target->Release();

    object = &receiver;
    EXPECT_EQ(target->QueryInterface(IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(target->QueryInterface(IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(target->AddRef(), 2u) << "a refused query adds no reference";
    target->Release();
}

TEST_F(DropTargetTest, DragsOfTextOrFilesAreCopiedWithControlAndMovedWithout) {
    TestDataObject text;
    text.offer(CF_TEXT, "words");
    EXPECT_EQ(enter(text, MK_CONTROL), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(receiver.enteredWithText);
    EXPECT_FALSE(receiver.enteredWithFiles);
    EXPECT_EQ(receiver.lastKeyState, static_cast<uint32_t>(MK_CONTROL));
    EXPECT_EQ(over(MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(receiver.lastKeyState, static_cast<uint32_t>(MK_LBUTTON));
    EXPECT_EQ(over(MK_LBUTTON | MK_CONTROL), static_cast<DWORD>(DROPEFFECT_COPY));

    TestDataObject files;
    files.offer(CF_HDROP, fileListBlock({"C:\\a.txt"}));
    EXPECT_EQ(enter(files, MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_FALSE(receiver.enteredWithText);
    EXPECT_TRUE(receiver.enteredWithFiles);

    // Text is asked for first; the file list only when there is no text.
    TestDataObject both;
    both.offer(CF_TEXT, "words");
    both.offer(CF_HDROP, fileListBlock({"C:\\a.txt"}));
    enter(both, 0);
    EXPECT_TRUE(receiver.enteredWithText);
    EXPECT_FALSE(receiver.enteredWithFiles);

    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(receiver.leaves, 1);
    EXPECT_EQ(files.dataRequests + text.dataRequests + both.dataRequests, 0) << "a drag only asks, never fetches";
}

TEST_F(DropTargetTest, DragsOfNeitherTextNorFilesHaveNoEffect) {
    TestDataObject other;
    other.offer(CF_BITMAP, "pixels");
    other.offer(CF_UNICODETEXT, std::string("w\0\0", 4));
    EXPECT_EQ(enter(other, MK_CONTROL), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_FALSE(receiver.enteredWithText);
    EXPECT_FALSE(receiver.enteredWithFiles);
    EXPECT_EQ(over(MK_CONTROL), static_cast<DWORD>(DROPEFFECT_NONE));

    drop(other);
    EXPECT_TRUE(receiver.drops.empty());
}

TEST_F(DropTargetTest, DroppedTextIsDeliveredWithTheSizeOfItsBlock) {
    TestDataObject text;
    text.offer(CF_TEXT, std::string("dropped text\0", 13));
    text.offer(CF_HDROP, fileListBlock({"C:\\ignored.txt"}));
    drop(text);
    ASSERT_EQ(receiver.drops.size(), 1u);
    EXPECT_EQ(receiver.drops[0].kind, DropPayload::Kind::Text);
    EXPECT_EQ(receiver.drops[0].text, "dropped text");
    EXPECT_GE(receiver.drops[0].textSize, 13u);
    EXPECT_TRUE(receiver.drops[0].files.empty());
}

TEST_F(DropTargetTest, TextWithoutATerminatorIsReadOnlyToTheEndOfItsBlock) {
    TestDataObject text;
    text.offer(CF_TEXT, std::string(64, 'x'));
    drop(text);
    ASSERT_EQ(receiver.drops.size(), 1u);
    EXPECT_LE(receiver.drops[0].text.size(), receiver.drops[0].textSize);
    EXPECT_EQ(receiver.drops[0].text.substr(0, 64), std::string(64, 'x'));
}

TEST_F(DropTargetTest, AnEmptyTextBlockDeliversNothing) {
    TestDataObject text;
    text.offer(CF_TEXT, "");
    drop(text);
    EXPECT_TRUE(receiver.drops.empty());
}

TEST_F(DropTargetTest, DroppedFilesAreDeliveredInOrder) {
    TestDataObject files;
    files.offerWithoutData(CF_TEXT);  // offered but not delivered: the file list is used
    files.offer(CF_HDROP, fileListBlock({"C:\\first.wav", "D:\\second one.txt", "C:\\third.lnk.txt"}));
    drop(files);
    ASSERT_EQ(receiver.drops.size(), 1u);
    EXPECT_EQ(receiver.drops[0].kind, DropPayload::Kind::Files);
    EXPECT_EQ(receiver.drops[0].files,
              (std::vector<std::string>{"C:\\first.wav", "D:\\second one.txt", "C:\\third.lnk.txt"}));
}

std::string temporaryFolder() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

bool createShortcut(const std::string& shortcut, const std::string& target) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->SetPath(target.c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
        saved = SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

TEST_F(DropTargetTest, ShortcutsOfAnyCaseAreResolvedToTheirTargetsShortPath) {
    const std::string folder = temporaryFolder();
    const std::string target = folder + "a rather long target name.fxbank";
    const std::string shortcut = folder + "Shortcut To Target.LNK";
    const std::string broken = folder + "not really a shortcut.lnk";
    std::ofstream(target) << "bank";
    std::ofstream(broken) << "not a shell link";
    ASSERT_TRUE(createShortcut(shortcut, target));
    char shortTarget[MAX_PATH];
    ASSERT_NE(GetShortPathNameA(target.c_str(), shortTarget, MAX_PATH), 0u);

    TestDataObject files;
    files.offer(CF_HDROP, fileListBlock({shortcut, broken}));
    drop(files);
    ASSERT_EQ(receiver.drops.size(), 1u);
    ASSERT_EQ(receiver.drops[0].files.size(), 2u);
    // Wine's shell link ignores the short-path request and answers the long form of the target;
    // Windows answers the short form. Both name the target.
    char delivered[MAX_PATH] = {};
    GetShortPathNameA(receiver.drops[0].files[0].c_str(), delivered, MAX_PATH);
    EXPECT_STREQ(delivered, shortTarget) << receiver.drops[0].files[0];
    EXPECT_EQ(receiver.drops[0].files[1], broken);

    DeleteFileA(shortcut.c_str());
    DeleteFileA(broken.c_str());
    DeleteFileA(target.c_str());
}

class IgnoringEvents : public platform::WindowEvents {
public:
    void onPaint(platform::DeviceContext*, const platform::Rect&) override {}
    void onButtonDown(platform::Point) override {}
    void onDestroy() override {}
};

TEST(DropTargetRegistration, OneTargetPerWindowUntilRevoked) {
    platform::initialiseDragAndDrop();
    IgnoringEvents events;
    RecordingReceiver receiver;
    platform::Window* window = platform::createChildWindow(testHostWindow(), 30, 30, &events);
    ASSERT_NE(window, nullptr);

    EXPECT_TRUE(platform::registerDropTarget(window, &receiver));
    EXPECT_FALSE(platform::registerDropTarget(window, &receiver)) << "a window takes one drop target";
    platform::revokeDropTarget(window);
    EXPECT_TRUE(platform::registerDropTarget(window, &receiver));
    platform::revokeDropTarget(window);
    EXPECT_FALSE(platform::registerDropTarget(nullptr, &receiver));

    platform::destroyChildWindow(window);
    platform::uninitialiseDragAndDrop();
}

// CoInitializeEx answers S_FALSE on a thread whose apartment is initialised, S_OK on one that is
// not, and RPC_E_CHANGED_MODE when the apartment has the other threading model.
bool apartmentInitialised() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result)) CoUninitialize();
    return result != S_OK;
}

TEST(DragAndDropInitialisation, IsCountedAndBalancedPerThread) {
    ASSERT_FALSE(apartmentInitialised());
    platform::initialiseDragAndDrop();
    platform::initialiseDragAndDrop();
    platform::uninitialiseDragAndDrop();
    EXPECT_TRUE(apartmentInitialised()) << "still initialised once";
    platform::uninitialiseDragAndDrop();
    EXPECT_FALSE(apartmentInitialised());
}

TEST(DragAndDropInitialisation, OneUninitialisationTooManyLeavesTheHostsInitialisation) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));  // the host's own
    platform::initialiseDragAndDrop();
    platform::uninitialiseDragAndDrop();
    platform::uninitialiseDragAndDrop();
    EXPECT_TRUE(apartmentInitialised()) << "the host's initialisation was undone";
    OleUninitialize();
    EXPECT_FALSE(apartmentInitialised());
}

}  // namespace
}  // namespace platform_win32_test
