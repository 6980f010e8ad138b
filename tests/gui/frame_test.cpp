// The frame: its window and drop target, the view list, painting and idle refresh, and the
// routing of presses, keys, wheel turns and drops.
#include "gui_test_support.h"

#include "gui/AEffGUIEditor.h"
#include "gui/CGuiBitmap.h"
#include "gui/CGuiFrame.h"

namespace {

constexpr platform::Rect kHostRect = {100, 50, 400, 250};
constexpr CGuiRect kFrameRect = {0, 0, 200, 120};
constexpr CGuiColor kViewA = {255, 0, 0, 0};
constexpr CGuiColor kViewB = {0, 0, 255, 0};

class FrameTest : public SoftDesktopTest {
protected:
    void SetUp() override {
        SoftDesktopTest::SetUp();
        host = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, kHostRect);
        frame = std::make_unique<CGuiFrame>(kFrameRect, host, nullptr);
        a = new ProbeView({0, 0, 50, 50}, "A", log, kViewA);
        b = new ProbeView({25, 25, 75, 75}, "B", log, kViewB);
        frame->attachView(a);
        frame->attachView(b);
    }
    void TearDown() override {
        frame.reset();
        SoftDesktopTest::TearDown();
    }
    // Puts the cursor at a point of the frame.
    void moveMouse(int h, int v) { platform::setCursorPosition({kHostRect.left + h, kHostRect.top + v}); }
    void firstPaint() {
        platform::invalidateWindow(frame->childWindow);
        platform::dispatchOnePendingPaint();
    }
    platform::Colour windowPixel(int x, int y) { return platform::soft::windowPixel(frame->childWindow, x, y); }

    platform::Window* host = nullptr;
    std::unique_ptr<CGuiFrame> frame;
    std::vector<std::string> log;
    ProbeView* a = nullptr;
    ProbeView* b = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(FrameTest, OpensAChildWindowWithADropTarget) {
    ASSERT_EQ(platform::soft::childWindows(host), std::vector<platform::Window*>{frame->childWindow});
    const platform::Rect screen = platform::windowScreenRect(frame->childWindow);
    EXPECT_EQ(screen.left, 100);
    EXPECT_EQ(screen.top, 50);
    EXPECT_EQ(screen.right - screen.left, 200);
    EXPECT_EQ(screen.bottom - screen.top, 120);
    EXPECT_TRUE(platform::soft::hasDropTarget(frame->childWindow));
    EXPECT_TRUE(frame->dropTargetRegistered);
    EXPECT_TRUE(frame->isOpen);
    EXPECT_TRUE(frame->firstPaintPending);
    EXPECT_EQ(frame->parentWindow, host);
    EXPECT_EQ(platform::soft::dragAndDropInitialisations(), 1);
}

// A view that notes, as it leaves the frame, what of the frame's window is still there.
class DetachWitness : public CGuiView {
public:
    DetachWitness(platform::Window*& window, Log& log) : CGuiView({0, 0, 1, 1}), window_(window), log_(log) {}
    bool onDetached(CGuiFrame*) override {
        log_.push_back(std::string("detached, drop target ") +
                       (platform::soft::hasDropTarget(window_) ? "on" : "off") + ", window " +
                       (platform::soft::isWindow(window_) ? "alive" : "gone"));
        return true;
    }
    ~DetachWitness() override { log_.push_back("released"); }

private:
    platform::Window*& window_;
    Log& log_;
};

TEST_F(FrameTest, DestructionRevokesTheDropTargetReleasesViewsAndSkinAndDestroysTheWindow) {
    bool destroyedA = false;
    a->destroyed = &destroyedA;
    platform::Window* child = frame->childWindow;
    frame->attachView(new DetachWitness(child, log));
    CGuiBitmap* skin = new CGuiBitmap(kSkinBitmap);
    frame->setSkin(skin);
    EXPECT_EQ(skin->refCount, 2);
    frame.reset();
    EXPECT_TRUE(destroyedA);
    EXPECT_EQ(log, (Log{"detached, drop target off, window alive", "released"}));
    EXPECT_EQ(skin->refCount, 1);
    EXPECT_FALSE(platform::soft::isWindow(child));
    EXPECT_TRUE(platform::soft::childWindows(host).empty());
    EXPECT_EQ(platform::soft::dragAndDropUninitialisations(), platform::soft::dragAndDropInitialisations());
    skin->release();
}

TEST_F(FrameTest, WithoutAHostWindowThereIsNoWindowButTheViewsStillWork) {
    CGuiFrame bare(kFrameRect, nullptr, nullptr);
    EXPECT_EQ(bare.childWindow, nullptr);
    EXPECT_FALSE(bare.dropTargetRegistered);
    EXPECT_FALSE(bare.setDropTargetEnabled(true));
    EXPECT_TRUE(bare.setDropTargetEnabled(false));
    EXPECT_EQ(bare.findHostWindow(), nullptr);
    Log own;
    auto* view = new ProbeView({0, 0, 10, 10}, "V", own);
    EXPECT_TRUE(bare.attachView(view));
    view->markRepaint(true);
    bare.repaintView(view);
    bare.refreshIfNeeded();
    EXPECT_TRUE(own.empty());
    platform::setCursorPosition({5, 6});
    CGuiPoint point;
    EXPECT_TRUE(bare.readMousePoint(point));
    EXPECT_EQ(point.h, 5);
    EXPECT_EQ(point.v, 6);
    EXPECT_TRUE(bare.onWheelTurned(nullptr, {0, 0}, 1.0f));
    EXPECT_EQ(own, Log{"wheel V 1 @5,6"});
}

TEST_F(FrameTest, TheViewListKeepsItsOrderAndOwnership) {
    EXPECT_EQ(frame->viewCount(), 2);
    EXPECT_EQ(frame->viewAt(0), a);
    EXPECT_EQ(frame->viewAt(1), b);
    EXPECT_EQ(frame->viewAt(2), nullptr);
    EXPECT_EQ(frame->viewAt(-1), nullptr);
    EXPECT_EQ(a->ownerFrame, frame.get());
    EXPECT_EQ(a->retainCount(), 1);  // the frame took over the creator's reference
    EXPECT_TRUE(frame->hasView(b));
    EXPECT_FALSE(frame->attachView(nullptr));

    ProbeView stranger({0, 0, 1, 1}, "S", log);
    EXPECT_FALSE(frame->detachView(&stranger, true));
    EXPECT_EQ(stranger.retainCount(), 1);
    EXPECT_EQ(frame->viewCount(), 2);

    a->retain();
    EXPECT_TRUE(frame->detachView(a, true));
    EXPECT_EQ(a->retainCount(), 1);
    EXPECT_FALSE(frame->hasView(a));
    EXPECT_EQ(frame->viewAt(0), b);
    a->release();

    for (int i = 0; i < 25; ++i)  // grows past any first allocation
        EXPECT_TRUE(frame->attachView(new ProbeView({0, 0, 1, 1}, "n", log)));
    EXPECT_EQ(frame->viewCount(), 26);
    EXPECT_TRUE(frame->detachAllViews(true));
    EXPECT_EQ(frame->viewCount(), 0);
}

TEST_F(FrameTest, APressGoesToTheLastEnabledViewContainingIt) {
    platform::soft::pressButton(frame->childWindow, {30, 30});
    platform::soft::pressButton(frame->childWindow, {75, 75});  // edges count
    b->enableMouse(false);
    platform::soft::pressButton(frame->childWindow, {30, 30});
    platform::soft::pressButton(frame->childWindow, {60, 60});  // only B is there
    platform::soft::pressButton(frame->childWindow, {150, 100});
    EXPECT_EQ(log, (Log{"down B 30,30", "down B 75,75", "down A 30,30"}));
}

TEST_F(FrameTest, KeysGoFromTheLastViewToTheFirstUntilOneAnswers) {
    VstKeyCode key = {0, VKEY_UP, 0};
    EXPECT_EQ(frame->onKeyPressed(key), -1);
    EXPECT_EQ(log, (Log{"key B 12", "key A 12"}));

    log.clear();
    a->keyAnswer = 5;
    EXPECT_EQ(frame->onKeyPressed(key), 5);
    EXPECT_EQ(frame->onKeyReleased(key), 5);
    EXPECT_EQ(log, (Log{"key B 12", "key A 12", "keyup B 12", "keyup A 12"}));

    log.clear();
    b->keyAnswer = 0;  // 0 is an answer: the search stops
    EXPECT_EQ(frame->onKeyPressed(key), 0);
    EXPECT_EQ(log, Log{"key B 12"});
}

// A view that removes the views below it while it handles a key and leaves the key unhandled.
class DetachingView : public ProbeView {
public:
    using ProbeView::ProbeView;
    int32_t onKeyPressed(VstKeyCode& key) override {
        for (CGuiView* other : victims) ownerFrame->detachView(other, true);
        victims.clear();
        return ProbeView::onKeyPressed(key);
    }
    std::vector<CGuiView*> victims;
};

TEST_F(FrameTest, AViewDetachingOthersDuringAKeyDoesNotSendTheSearchPastTheList) {
    auto* detaching = new DetachingView({0, 0, 10, 10}, "D", log);
    detaching->victims = {a, b};
    frame->attachView(detaching);
    VstKeyCode key = {0, VKEY_UP, 0};
    EXPECT_EQ(frame->onKeyPressed(key), -1);
    EXPECT_EQ(frame->viewCount(), 1);
    EXPECT_EQ(log.front(), "key D 12");
}

TEST_F(FrameTest, TheWheelReachesTheViewUnderTheMouseEvenWhenItIsDisabled) {
    b->enableMouse(false);
    moveMouse(30, 31);
    EXPECT_TRUE(frame->onWheelTurned(nullptr, {999, 999}, 2.5f));
    moveMouse(10, 10);
    EXPECT_TRUE(frame->onWheelTurned(nullptr, {0, 0}, -1.0f));
    moveMouse(150, 100);
    EXPECT_FALSE(frame->onWheelTurned(nullptr, {30, 30}, 1.0f));
    EXPECT_EQ(log, (Log{"wheel B 2.5 @30,31", "wheel A -1 @10,10"}));
    moveMouse(-5, 40);
    EXPECT_EQ(frame->viewUnderMouse(), nullptr);
    moveMouse(0, 40);
    EXPECT_EQ(frame->viewUnderMouse(), a);
}

TEST_F(FrameTest, DragsCopyWithCtrlMoveWithoutAndRefuseOtherData) {
    platform::Window* child = frame->childWindow;
    using platform::DropEffect;
    EXPECT_EQ(platform::soft::deliverDragEnter(child, false, true, platform::kDropKeyControl), DropEffect::Copy);
    EXPECT_EQ(platform::soft::deliverDragOver(child, 0), DropEffect::Move);
    EXPECT_EQ(platform::soft::deliverDragEnter(child, true, false, 0), DropEffect::Move);
    EXPECT_EQ(platform::soft::deliverDragOver(child, platform::kDropKeyControl | 1), DropEffect::Copy);
    platform::soft::deliverDragLeave(child);
    EXPECT_EQ(platform::soft::deliverDragEnter(child, false, false, platform::kDropKeyControl), DropEffect::None);
    EXPECT_EQ(platform::soft::deliverDragOver(child, 0), DropEffect::None);
}

platform::DropPayload files(std::vector<std::string> names) {
    platform::DropPayload payload;
    payload.kind = platform::DropPayload::Kind::Files;
    payload.textSize = 0;
    payload.files = std::move(names);
    return payload;
}

platform::DropPayload text(std::string content, size_t blockSize) {
    platform::DropPayload payload;
    payload.kind = platform::DropPayload::Kind::Text;
    payload.text = std::move(content);
    payload.textSize = blockSize;
    return payload;
}

TEST_F(FrameTest, DropsDeliverNamesOrTextToTheViewUnderTheMouse) {
    platform::Window* child = frame->childWindow;
    moveMouse(30, 30);
    platform::soft::deliverDrop(child, files({"C:\\a.wav", "C:\\b.wav"}));
    platform::soft::deliverDrop(child, text("hello", 6));
    platform::soft::deliverDrop(child, text("", 0));  // an empty block delivers nothing
    b->acceptsDrops = false;                         // refused: the next view down is asked
    platform::soft::deliverDrop(child, files({"x"}));
    b->acceptsDrops = true;
    b->enableMouse(false);
    platform::soft::deliverDrop(child, files({"y"}));
    moveMouse(150, 100);
    platform::soft::deliverDrop(child, files({"z"}));
    EXPECT_EQ(log, (Log{"drop B kind 0 count 2 @30,30: C:\\a.wav C:\\b.wav", "drop B kind 1 count 6 @30,30: hello",
                        "drop B kind 0 count 1 @30,30: x", "drop A kind 0 count 1 @30,30: x",
                        "drop A kind 0 count 1 @30,30: y"}));
}

// Reads every byte a text drop's count promises.
class TextReader : public CGuiView {
public:
    using CGuiView::CGuiView;
    bool onFilesDropped(const char* const* data, int count, int kind, CGuiPoint) override {
        if (kind == kDropText)
            received.assign(data[0], static_cast<size_t>(count));
        return true;
    }
    std::string received;
};

TEST_F(FrameTest, ADroppedTextCanBeReadForTheWholeSizeOfItsBlock) {
    auto* reader = new TextReader(kFrameRect);
    frame->attachView(reader);
    moveMouse(30, 30);
    const std::string content = "a text longer than any small-string buffer";
    platform::soft::deliverDrop(frame->childWindow, text(content, 256));
    EXPECT_EQ(reader->received, content + std::string(256 - content.size(), '\0'));
}

TEST_F(FrameTest, NothingIsPaintedBeforeTheFirstPaint) {
    const platform::Colour background = windowPixel(10, 10);
    a->markRepaint(true);
    frame->markRepaint(true);
    EXPECT_TRUE(frame->anyNeedsRepaint());
    frame->refreshIfNeeded();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(windowPixel(10, 10), background);

    firstPaint();
    EXPECT_FALSE(frame->firstPaintPending);
    EXPECT_EQ(log, (Log{"paint A", "paint B"}));
    EXPECT_EQ(windowPixel(10, 10), kRed);
    EXPECT_EQ(windowPixel(30, 30), kBlue);  // B lies over A
}

TEST_F(FrameTest, IdleRefreshRepaintsOnlyWhatChanged) {
    firstPaint();
    a->markRepaint(false);
    b->markRepaint(false);
    log.clear();
    frame->refreshIfNeeded();
    EXPECT_TRUE(log.empty());
    a->markRepaint(true);
    frame->refreshIfNeeded();
    frame->refreshIfNeeded();
    EXPECT_EQ(log, Log{"paint A"});
    EXPECT_FALSE(frame->anyNeedsRepaint());

    log.clear();
    frame->markRepaint(true);  // the frame itself: everything
    frame->refreshIfNeeded();
    EXPECT_EQ(log, (Log{"paint A", "paint B"}));
    EXPECT_FALSE(frame->anyNeedsRepaint());
}

TEST_F(FrameTest, RepaintingAStrangerRepaintsTheWholeFrame) {
    CGuiBitmap* skin = new CGuiBitmap(kSkinBitmap);
    frame->setSkin(skin);
    skin->release();
    firstPaint();
    log.clear();

    frame->repaintView(a);
    EXPECT_EQ(log, Log{"paint A"});
    log.clear();
    ProbeView stranger({0, 0, 10, 10}, "S", log);
    frame->repaintView(&stranger);
    EXPECT_EQ(log, (Log{"paint A", "paint B"}));
    log.clear();
    frame->repaintView(nullptr);
    EXPECT_EQ(log, (Log{"paint A", "paint B"}));
    EXPECT_EQ(windowPixel(60, 5), skinPixel(60, 5));
    EXPECT_EQ(windowPixel(100, 5), windowPixel(100, 100));  // beyond the skin: the class background
}

TEST_F(FrameTest, PaintAreaDrawsTheSkinThereAndOnlyTheViewsItTouches) {
    CGuiBitmap* skin = new CGuiBitmap(kSkinBitmap);
    frame->setSkin(skin);
    skin->release();
    Canvas canvas(200, 120, kGrey);
    frame->paintArea(canvas.context(), {30, 20, 60, 45});
    EXPECT_FALSE(frame->firstPaintPending);
    EXPECT_EQ(log, (Log{"paint A", "paint B"}));
    log.clear();
    frame->paintArea(canvas.context(), {52, 0, 60, 20});  // clear of both views
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(canvas.pixel(55, 10), skinPixel(55, 10));
    EXPECT_EQ(canvas.pixel(55, 22), skinPixel(55, 22));
    EXPECT_EQ(canvas.pixel(80, 46), kGrey);  // outside every area and view
    EXPECT_EQ(canvas.pixel(40, 40), kBlue);
}

TEST_F(FrameTest, AfterTheHostDestroysItsWindowTheFrameStaysQuiet) {
    firstPaint();
    log.clear();
    platform::soft::destroyWindow(host);
    EXPECT_FALSE(frame->isOpen);
    EXPECT_EQ(frame->parentWindow, nullptr);
    EXPECT_FALSE(frame->dropTargetRegistered);
    a->markRepaint(true);
    frame->refreshIfNeeded();
    frame->repaintView(nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(frame->findHostWindow(), nullptr);
    frame.reset();
    EXPECT_EQ(platform::soft::dragAndDropUninitialisations(), platform::soft::dragAndDropInitialisations());
}

// Builds a chain of host windows, each at the given size, the first one at the top.
class HostChain {
public:
    struct Level {
        uint32_t style;
        int width;
        int height;
    };
    explicit HostChain(std::vector<Level> levels) {
        platform::Window* parent = nullptr;
        for (const Level& level : levels) {
            parent = platform::soft::createHostWindow(parent, level.style, {0, 0, level.width, level.height});
            windows.push_back(parent);
        }
    }
    std::vector<platform::Window*> windows;
};

TEST_F(FrameTest, FindHostWindowStopsAtACaptionATopWindowOrAMuchLargerParent) {
    constexpr uint32_t caption = platform::kStyleCaption;
    constexpr uint32_t border = 0x00800000;  // one bit of the caption is enough
    const struct {
        std::vector<HostChain::Level> levels;
        int expected;  // index into the chain; -1 for the frame's own window
    } cases[] = {
        {{{caption, 800, 600}}, -1},                          // the host window is far larger
        {{{caption, 210, 130}}, 0},
        {{{caption, 800, 600}, {0, 200, 120}}, 1},            // the top window is far larger
        {{{caption, 230, 150}, {0, 200, 120}}, 0},            // 30 pixels larger: keep going
        {{{0, 230, 150}, {0, 200, 120}}, 0},                  // no parent
        {{{border, 240, 140}, {0, 200, 120}}, 0},
        {{{caption, 200, 181}, {0, 200, 120}}, 1},            // 61 pixels taller
        {{{caption, 200, 180}, {0, 200, 120}}, 0},            // 60: not more than 60
        {{{0, 900, 700}, {0, 200, 120}, {0, 205, 125}}, 1},   // the middle one's parent is far larger
        {{{0, 900, 700}, {caption, 200, 120}, {0, 205, 125}}, 1},
    };
    for (const auto& c : cases) {
        HostChain chain(c.levels);
        CGuiFrame inner(kFrameRect, chain.windows.back(), nullptr);
        platform::Window* expected = c.expected < 0 ? inner.window() : chain.windows[c.expected];
        EXPECT_EQ(inner.findHostWindow(), expected) << "chain of " << c.levels.size();
    }
}

TEST_F(FrameTest, EditGesturesReachTheHostThroughTheEditor) {
    TestEffect effect;
    auto* editor = new AEffGUIEditor(&effect);
    CGuiFrame withEditor(kFrameRect, host, editor);
    EXPECT_EQ(withEditor.ownerEditor(), editor);
    hostCalls().clear();
    withEditor.notifyEditStart(4);
    withEditor.notifyEditEnd(4);
    ASSERT_EQ(hostCalls().size(), 2u);
    EXPECT_EQ(hostCalls()[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(hostCalls()[0].index, 4);
    EXPECT_EQ(hostCalls()[1].opcode, audioMasterEndEdit);
    EXPECT_EQ(hostCalls()[1].index, 4);

    auto* view = new ProbeView({0, 0, 1, 1}, "V", log);
    withEditor.attachView(view);
    EXPECT_EQ(view->ownerEditor(), editor);

    frame->notifyEditStart(1);  // no editor: nobody to tell
    EXPECT_EQ(hostCalls().size(), 2u);
}

// A control drawn keyed from a strip, as the editor's controls are.
class StripControl : public CGuiView {
public:
    StripControl(const CGuiRect& bounds, CGuiBitmap* strip) : CGuiView(bounds), strip_(strip) { strip_->retain(); }
    ~StripControl() override { strip_->release(); }
    void paint(CGuiContext* context) override { strip_->paintKeyed(context, bounds, {0, 16}); }

private:
    CGuiBitmap* strip_;
};

TEST_F(FrameTest, OpeningPaintingAndClosingFramesLeaksNoDrawingObjects) {
    frame.reset();
    const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
    for (int round = 0; round < 10; ++round) {
        CGuiBitmap* skin = new CGuiBitmap(kSkinBitmap);
        CGuiBitmap* strip = new CGuiBitmap(kStripBitmap);
        auto opened = std::make_unique<CGuiFrame>(kFrameRect, host, nullptr);
        opened->setSkin(skin);
        opened->attachView(new ProbeView({0, 0, 50, 50}, "A", log));
        opened->attachView(new StripControl({60, 10, 76, 26}, strip));
        for (int i = 0; i < 10; ++i) {
            platform::invalidateWindow(opened->childWindow);
            platform::dispatchOnePendingPaint();
            opened->markRepaint(true);
            opened->refreshIfNeeded();
            opened->repaintView(opened->viewAt(1));
            platform::soft::pressButton(opened->childWindow, {5, 5});
            opened->onWheelTurned(nullptr, {0, 0}, 1.0f);
        }
        opened.reset();
        skin->release();
        strip->release();
    }
    EXPECT_EQ(platform::soft::liveObjectCounts(), before);
}

}  // namespace
