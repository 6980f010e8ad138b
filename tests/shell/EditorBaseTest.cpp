// The plain editor base: registration with its effect and the neutral answers of its slots.
#include <gtest/gtest.h>

#include "shell/AEffEditorBase.h"
#include "tests/shell/PlainEffect.h"
#include "tests/support/PluginCalls.h"

namespace {

class CountingEditor : public AEffEditorBase {
public:
    using AEffEditorBase::AEffEditorBase;
    void onUpdate() override { ++updates; }
    int updates = 0;
};

TEST(EditorBase, RegistersWithItsEffectAndSetsTheEditorFlag) {
    PlainEffect effect;
    effect.canMono(true);
    auto* editor = new AEffEditorBase(&effect);
    EXPECT_EQ(effect.editor, editor);
    EXPECT_EQ(effect.getEditor(), editor);
    EXPECT_EQ(editor->effect, &effect);
    EXPECT_EQ(effect.effectRecord.flags, effFlagsHasEditor | effFlagsCanMono);
    EXPECT_EQ(editor->systemWindow, nullptr);
    EXPECT_EQ(editor->updatePending, 0);
}

TEST(EditorBase, AnswersTheEditorOpcodesNeutrally) {
    PlainEffect effect;
    auto* editor = new AEffEditorBase(&effect);
    AEffect* record = &effect.effectRecord;

    ERect stale{1, 2, 3, 4};
    ERect* rect = &stale;
    EXPECT_EQ(dispatch(record, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);

    int hostWindow = 0;
    EXPECT_EQ(dispatch(record, effEditOpen, 0, 0, &hostWindow), 0);
    EXPECT_EQ(editor->systemWindow, &hostWindow);
    EXPECT_EQ(dispatch(record, effEditKeyDown, 'x', VKEY_RIGHT, nullptr, 0.0f), -1);
    EXPECT_EQ(dispatch(record, effEditKeyUp, 'x', VKEY_RIGHT, nullptr, 0.0f), -1);
    EXPECT_EQ(dispatch(record, effSetEditKnobMode, 0, 2), 0);
    EXPECT_FALSE(editor->wheelTurned(1.0f));
    EXPECT_EQ(dispatch(record, effEditIdle), 0);
    EXPECT_EQ(dispatch(record, effEditClose), 0);
}

TEST(EditorBase, IdleRunsOnePendingUpdate) {
    PlainEffect effect;
    auto* editor = new CountingEditor(&effect);
    editor->idle();
    EXPECT_EQ(editor->updates, 0);

    editor->postUpdate();
    editor->postUpdate();
    EXPECT_EQ(editor->updatePending, 1);
    dispatch(&effect.effectRecord, effEditIdle);
    EXPECT_EQ(editor->updates, 1);
    EXPECT_EQ(editor->updatePending, 0);
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
}

}  // namespace
