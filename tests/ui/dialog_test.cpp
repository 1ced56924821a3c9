// The modal dialog: every key and click rule of the three kinds, the save
// on Ctrl, the battle placement, what the transcript records and the layout;
// and the pickers built on the selection box.
#include <algorithm>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "core/Game.h"
#include "core/ScriptedPlayer.h"
#include "ui/CharacterItems.h"
#include "ui/Dialogs.h"
#include "ui/MessageLabel.h"
#include "ui/Pickers.h"
#include "ui/SavePoint.h"

namespace kv::test {
namespace {

class DialogTest : public UiTest {
  protected:
    // Builds the service after the platform; the save hook notes whether a
    // dialog was still up when it ran.
    void Open(std::string_view script = "") {
        dialogs_.reset();  // they belong to the previous window manager
        main_.reset();
        ASSERT_NO_FATAL_FAILURE(Start(script));
        main_ = std::make_unique<Window>(Manager());
        main_->BackColor = Rgb(0, 40, 0);
        main_->Show();
        dialogs_ = std::make_unique<Dialogs>(
            Manager(),
            [this] {
                Window* top = Manager().Top();
                SavesWhileOpen.push_back(top != nullptr && top != main_.get() ? top->Name : "-");
            },
            [this] { return InBattle; });
    }
    void TearDown() override {
        dialogs_.reset();
        main_.reset();
    }

    Dialogs& D() { return *dialogs_; }
    std::string Ask(std::string_view text, DialogKind kind, std::string_view defaultText = "") {
        return dialogs_->ShowDialog(text, kind, defaultText);
    }
    // Where a control of the dialog will stand for this text and kind, worked
    // out the way ShowDialog lays the window out.
    Rect WhereWillBe(const Control& control, std::string_view text, DialogKind kind) {
        DialogWindow& box = D().dlgInpBox;
        box.lblMsg.SetCaption(text);
        box.Arrange(kind);
        box.PlaceCentred();
        return control.CanvasBounds();
    }
    static InputEvent ClickIn(Rect r) { return ClickEvent(r.X + r.W / 2, r.Y + r.H / 2); }

    bool InBattle = false;
    std::vector<std::string> SavesWhileOpen;

  private:
    std::unique_ptr<Window> main_;
    std::unique_ptr<Dialogs> dialogs_;
};

TEST_F(DialogTest, YesNoAnswersFromEachKey) {
    struct Case {
        const char* Keys;
        const char* Answer;
    };
    for (const Case& c : {Case{"Y", "-1"}, Case{"Enter", "-1"}, Case{"N", "0"}, Case{"Esc", "0"},
                          Case{"Backspace", "0"}, Case{"Alt+Y", "-1"}}) {
        SCOPED_TRACE(c.Keys);
        ASSERT_NO_FATAL_FAILURE(Open(c.Keys));
        EXPECT_EQ(Ask("よろしいですか？", DialogYesNo), c.Answer);
        EXPECT_FALSE(Manager().Quitting()) << "closed by the key, not by the script ending";
        EXPECT_EQ(D().DialogResult, std::stoi(c.Answer));
        EXPECT_FALSE(D().dlgInpBox.IsOpen());
    }
}

TEST_F(DialogTest, YesNoIgnoresOtherKeysAndClicksAwayFromItsAnswers) {
    ASSERT_NO_FATAL_FAILURE(Open("A Space 1 F1 Ctrl Y"));
    const Rect message = WhereWillBe(D().dlgInpBox.lblMsg, "質問", DialogYesNo);
    Host().Events().Push(ClickIn(message));
    EXPECT_EQ(Ask("質問", DialogYesNo), "-1");
    // The Ctrl came after the other keys and the click, with the dialog still up.
    EXPECT_EQ(SavesWhileOpen, std::vector<std::string>{"dlgInpBox"});
}

TEST_F(DialogTest, YesNoAnswerLabelsAnswerWhenClicked) {
    ASSERT_NO_FATAL_FAILURE(Open());
    const Rect yes = WhereWillBe(D().dlgInpBox.lblYes, "質問", DialogYesNo);
    const Rect no = WhereWillBe(D().dlgInpBox.lblNo, "質問", DialogYesNo);
    Host().Events().Push(ClickIn(no));
    EXPECT_EQ(Ask("質問", DialogYesNo), "0");
    Host().Events().Push(ClickIn(yes));
    EXPECT_EQ(Ask("質問", DialogYesNo), "-1");
    EXPECT_FALSE(Manager().Quitting());
}

TEST_F(DialogTest, QuestionLeftUnansweredWhenTheRunEndsReadsAsNo) {
    ASSERT_NO_FATAL_FAILURE(Open("Y"));
    EXPECT_EQ(Ask("一問目", DialogYesNo), "-1");
    EXPECT_EQ(Ask("二問目", DialogYesNo), "0");  // the script is exhausted
    EXPECT_TRUE(Manager().Quitting());
}

TEST_F(DialogTest, MessageClosesOnItsFourKeysOnly) {
    for (const char* key : {"Space", "Enter", "Esc", "Backspace"}) {
        SCOPED_TRACE(key);
        ASSERT_NO_FATAL_FAILURE(Open(std::string("A Y N Z 5 Tab Up ") + key));
        Ask("お知らせ", DialogMessage);
        EXPECT_FALSE(Manager().Quitting());
        EXPECT_FALSE(D().dlgInpBox.IsOpen());
    }
    // Letters do nothing: the Ctrl after them still finds the message up.
    ASSERT_NO_FATAL_FAILURE(Open("Y N A Ctrl Space"));
    Ask("お知らせ", DialogMessage);
    EXPECT_EQ(SavesWhileOpen, std::vector<std::string>{"dlgInpBox"});
}

TEST_F(DialogTest, MessageReturnsTheDialogResultAsText) {
    ASSERT_NO_FATAL_FAILURE(Open("Y Enter N Enter"));
    Ask("?", DialogYesNo);
    EXPECT_EQ(Ask("!", DialogMessage), "-1");
    Ask("?", DialogYesNo);
    EXPECT_EQ(Ask("!", DialogMessage), "0");
}

TEST_F(DialogTest, ClickClosesMessageAndInput) {
    ASSERT_NO_FATAL_FAILURE(Open());
    const Rect panel = WhereWillBe(D().dlgInpBox.fraBack, "閉じる", DialogMessage);
    Host().Events().Push(ClickEvent(panel.X + 3, panel.Y + 3));  // on the frame
    Ask("閉じる", DialogMessage);
    EXPECT_FALSE(Manager().Quitting());

    const Rect message = WhereWillBe(D().dlgInpBox.lblMsg, "名前は？", DialogInput);
    Host().Events().Push(ClickIn(message));
    EXPECT_EQ(Ask("名前は？", DialogInput, "ALICE"), "ALICE");
    EXPECT_FALSE(Manager().Quitting());
}

TEST_F(DialogTest, InputKeepsTypedTextOnEnterAndClearsItOnEsc) {
    // The default text starts selected, so typing replaces it.
    ASSERT_NO_FATAL_FAILURE(Open(R"("ボブ" Enter)"));
    EXPECT_EQ(Ask("名前を入力してください", DialogInput, "ALICE"), "ボブ");
    EXPECT_EQ(D().dlgInpBox.txtMsg.Text(), "");  // cleared for the next time

    ASSERT_NO_FATAL_FAILURE(Open("Enter"));
    EXPECT_EQ(Ask("名前", DialogInput, "ALICE"), "ALICE");

    ASSERT_NO_FATAL_FAILURE(Open(R"("xyz" Esc)"));
    EXPECT_EQ(Ask("名前", DialogInput, "ALICE"), "");
    EXPECT_FALSE(Manager().Quitting());

    // Backspace edits instead of closing; letters are text.
    ASSERT_NO_FATAL_FAILURE(Open(R"(End Backspace Backspace "X" Enter)"));
    EXPECT_EQ(Ask("名前", DialogInput, "ALICE"), "ALIX");
}

TEST_F(DialogTest, CtrlSavesFirstInEveryKindWithoutAnsweringOrEditing) {
    ASSERT_NO_FATAL_FAILURE(Open("Ctrl Ctrl Y"));
    EXPECT_EQ(Ask("?", DialogYesNo), "-1");
    EXPECT_EQ(SavesWhileOpen, (std::vector<std::string>{"dlgInpBox", "dlgInpBox"}));

    SavesWhileOpen.clear();
    ASSERT_NO_FATAL_FAILURE(Open("Ctrl Enter"));
    Ask("!", DialogMessage);
    EXPECT_EQ(SavesWhileOpen, std::vector<std::string>{"dlgInpBox"});

    SavesWhileOpen.clear();
    ASSERT_NO_FATAL_FAILURE(Open("Ctrl Enter"));
    EXPECT_EQ(Ask("名前", DialogInput, "ABC"), "ABC");
    EXPECT_EQ(SavesWhileOpen, std::vector<std::string>{"dlgInpBox"});

    // Without a save routine the key is still harmless.
    ASSERT_NO_FATAL_FAILURE(Open("Ctrl Enter"));
    D().SaveGame = nullptr;
    EXPECT_EQ(Ask("?", DialogYesNo), "-1");
}

TEST_F(DialogTest, HoldingCtrlSavesOncePerPressNotPerRepeat) {
    // Ctrl held down for a while (the system repeating it), let go, then
    // pressed again: two saves, in every kind of dialog.
    for (DialogKind kind : {DialogMessage, DialogYesNo, DialogInput}) {
        SCOPED_TRACE(static_cast<int>(kind));
        SavesWhileOpen.clear();
        ASSERT_NO_FATAL_FAILURE(Open());
        InputEvent repeat = KeyEvent(Key::Control);
        repeat.Repeat = true;
        for (const InputEvent& event :
             {KeyEvent(Key::Control), repeat, repeat, repeat, KeyEvent(Key::Control, 0, false),
              KeyEvent(Key::Control), repeat, KeyEvent(Key::Control, 0, false),
              KeyEvent(Key::Return), KeyEvent(Key::Return, 0, false)}) {
            Host().Events().Push(event);
        }
        Ask("?", kind, "ABC");
        EXPECT_FALSE(Manager().Quitting()) << "Enter closed it";
        EXPECT_EQ(SavesWhileOpen, (std::vector<std::string>{"dlgInpBox", "dlgInpBox"}));
    }
}

TEST_F(DialogTest, ASaveThatFailsSaysSoOnTopAndLeavesTheDialogUnderneathAsItWas) {
    // Ctrl saves into a folder that is not there: the failure is a message
    // of its own; closing it returns to the dialog as it was, typed text and all.
    struct Case {
        DialogKind Kind;
        bool Battle;
        const char* Keys;
        const char* Result;
        std::vector<std::string> SavesFrom;  // the window on top at each save
    };
    const std::string text = "名前は？";
    const Case cases[] = {
        {DialogInput,
         false,
         R"("ボブ" Ctrl Enter "ン" Ctrl Space Enter)",
         "ボブン",
         {"dlgInpBox", "dlgInpBox"}},
        {DialogYesNo, false, "Ctrl Enter Ctrl Esc Y", "-1", {"dlgInpBox", "dlgInpBox"}},
        {DialogMessage, false, "Ctrl Enter Ctrl Enter Esc", "0", {"dlgInpBox", "dlgInpBox"}},
        {DialogYesNo, true, "Ctrl Enter N", "0", {"dlgInpBox2"}},
        // A save failing again from the failure message: a third window.
        {DialogInput,
         false,
         R"("ボブ" Ctrl Ctrl Enter Enter Enter)",
         "ボブ",
         {"dlgInpBox", "dlgInpBox2"}},
        {DialogYesNo,
         true,
         "Ctrl Ctrl Ctrl Enter Enter Enter Y",
         "-1",
         {"dlgInpBox2", "dlgInpBox", "dlgInpBoxNested1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Keys);
        SavesWhileOpen.clear();
        ASSERT_NO_FATAL_FAILURE(Open(c.Keys));
        InBattle = c.Battle;
        auto game = std::make_unique<Game>();
        game->SaveFolder = TempPath("no-such-folder");
        std::vector<std::string> underneath;  // the dialog's text at each save
        D().SaveGame = [&] {
            auto* top = dynamic_cast<DialogWindow*>(Manager().Top());
            ASSERT_NE(top, nullptr);
            SavesWhileOpen.push_back(top->Name);
            underneath.push_back(top->lblMsg.Caption());
            game->SaveTroubleTold = false;  // every failure speaks, so the windows stack
            SaveAtSavePoint(*game, Manager(), &D());
        };
        EXPECT_EQ(Ask(text, c.Kind), c.Result);
        EXPECT_FALSE(Manager().Quitting()) << "answered by its keys, not by the script ending";
        EXPECT_EQ(SavesWhileOpen, c.SavesFrom);
        for (size_t i = 0; i < underneath.size(); ++i) {
            if (SavesWhileOpen[i] == SavesWhileOpen.front()) {
                EXPECT_EQ(underneath[i], text) << i;
            }
        }
        for (DialogWindow* box : {&D().dlgInpBox, &D().dlgInpBox2}) EXPECT_FALSE(box->IsOpen());
        const std::vector<std::string> lines = TranscriptLines();
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& line) {
                                    return line.find("セーブできませんでした") != std::string::npos;
                                }),
                  static_cast<long>(c.SavesFrom.size()));
    }
}

TEST_F(DialogTest, BattleUsesTheSecondWindowCentredAcrossBelowTheTop) {
    ASSERT_NO_FATAL_FAILURE(Open("Ctrl Space Ctrl Space"));
    InBattle = true;
    Ask("モンスターが現れた", DialogMessage);
    const DialogWindow& battle = D().dlgInpBox2;
    EXPECT_EQ(battle.Top, 33);
    EXPECT_EQ(battle.Left, (640 - battle.Width) / 2);
    EXPECT_NEAR(battle.Left + battle.Width / 2, 320, 1);
    InBattle = false;
    Ask("町に戻った", DialogMessage);
    const DialogWindow& town = D().dlgInpBox;
    EXPECT_EQ(town.Top, (480 - town.Height) / 2);
    EXPECT_EQ(SavesWhileOpen, (std::vector<std::string>{"dlgInpBox2", "dlgInpBox"}));
}

TEST_F(DialogTest, EveryDialogShownGoesToTheTranscript) {
    ASSERT_NO_FATAL_FAILURE(Open(R"(Space Y "x" Enter)"));
    Ask("アイテムを持っていません", DialogMessage);
    Ask("ALICEは\r死んだ・・・\nよろしいですか？", DialogYesNo);
    Ask("名前", DialogInput, "A");
    Ask("不明な種類", static_cast<DialogKind>(7));
    const std::vector<std::string> expected{
        R"({"t":"dialog","kind":2,"text":"アイテムを持っていません"})",
        R"({"t":"dialog","kind":3,"text":"ALICEは\r死んだ・・・\nよろしいですか？"})",
        R"({"t":"dialog","kind":1,"text":"名前"})",
        R"({"t":"dialog","kind":2,"text":"不明な種類"})",
    };
    EXPECT_EQ(TranscriptLines(), expected);
}

// A player who saves at every prompt with a save folder gone bad hears of it
// once, plays on, and a good save ends the trouble so the next one is told.
TEST_F(DialogTest, ASaveTroubleIsToldOnceUntilASaveGoesWell) {
    // Ctrl saves; a told trouble takes one more Enter.
    ASSERT_NO_FATAL_FAILURE(Open("Ctrl Enter Enter  Ctrl Enter  Ctrl Enter  Ctrl Enter Enter"));
    auto game = std::make_unique<Game>();
    game->SaveFolder = TempPath("gone");
    D().SaveGame = [&] { SaveAtSavePoint(*game, Manager(), &D()); };
    auto told = [&] {
        const std::vector<std::string> lines = TranscriptLines();
        return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find("セーブできませんでした") != std::string::npos;
        });
    };
    Ask("一つ目", DialogMessage);
    Ask("二つ目", DialogMessage);
    EXPECT_EQ(told(), 1);
    std::filesystem::create_directories(game->SaveFolder);
    Ask("三つ目", DialogMessage);
    EXPECT_FALSE(game->SaveTroubleTold);
    std::filesystem::remove_all(game->SaveFolder);
    Ask("四つ目", DialogMessage);
    EXPECT_EQ(told(), 2);
}

// A title heads the window above the message and goes into the dialog's
// transcript line; the player's titles nest and come back as they end.
TEST_F(DialogTest, ATitleHeadsTheDialogAndItsTranscriptLine) {
    ASSERT_NO_FATAL_FAILURE(Open("Space Space Space"));
    ScriptedPlayer rules;  // only its titles are used here
    std::vector<std::string> titles;
    {
        const DialogTitle inn(rules, "宿屋の主人");
        {
            const DialogTitle room(rules, "いぬごや");
            titles.push_back(rules.Title());
        }
        titles.push_back(rules.Title());
    }
    titles.push_back(rules.Title());
    EXPECT_EQ(titles, (std::vector<std::string>{"いぬごや", "宿屋の主人", ""}));

    D().ShowDialog("お金が足りませんよ", DialogMessage, "", "宿屋の主人");
    Ask("一行", DialogMessage);
    D().ShowDialog("一行", DialogMessage, "", "");
    EXPECT_EQ(TranscriptLines(),
              (std::vector<std::string>{
                  R"({"t":"dialog","kind":2,"text":"お金が足りませんよ","title":"宿屋の主人"})",
                  R"({"t":"dialog","kind":2,"text":"一行"})",
                  R"({"t":"dialog","kind":2,"text":"一行"})"}));

    DialogWindow& box = D().dlgInpBox;
    box.lblTitle.SetCaption("");
    const Rect untitled = WhereWillBe(box.lblMsg, "一行", DialogMessage);
    const int untitledHeight = box.Height;
    EXPECT_FALSE(box.lblTitle.Visible);
    box.lblTitle.SetCaption("ゴルドラン店主");
    const Rect text = WhereWillBe(box.lblMsg, "一行", DialogMessage);
    const Rect title = box.lblTitle.CanvasBounds();
    EXPECT_TRUE(box.lblTitle.Visible);
    EXPECT_LE(title.Y + title.H, text.Y) << "the title stands above the message";
    EXPECT_GT(text.Y - box.Top, untitled.Y - box.Top);
    EXPECT_GT(box.Height, untitledHeight);
}

TEST_F(DialogTest, ControlsShownFollowTheKindAndTheTextSizesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(Open());
    DialogWindow& box = D().dlgInpBox;
    WhereWillBe(box.lblMsg, "一行", DialogMessage);
    EXPECT_FALSE(box.txtMsg.Visible);
    EXPECT_FALSE(box.lblYes.Visible);
    const int oneLine = box.Height;
    WhereWillBe(box.lblMsg, "一行\r二行\n三行\r\n四行", DialogMessage);
    const int pitch = box.lblMsg.LinePitch(Manager().Glyphs());
    EXPECT_EQ(box.Height, oneLine + 3 * pitch);
    WhereWillBe(box.lblMsg, "一行", DialogYesNo);
    EXPECT_TRUE(box.lblYes.Visible);
    EXPECT_TRUE(box.lblNo.Visible);
    EXPECT_FALSE(box.txtMsg.Visible);
    EXPECT_EQ(box.lblYes.Caption(), "&Y)ES [Enter]");
    EXPECT_EQ(box.lblYes.ShownText(), "Y)ES [Enter]");
    EXPECT_EQ(box.lblNo.Caption(), "&N)O [ESC or BS]");
    WhereWillBe(box.lblMsg, "一行", DialogInput);
    EXPECT_TRUE(box.txtMsg.Visible);
    EXPECT_FALSE(box.lblNo.Visible);
    // A very long line wraps inside the canvas instead of running off it.
    WhereWillBe(box.lblMsg, std::string(200, 'W'), DialogMessage);
    EXPECT_LE(box.Width, 640);
    EXPECT_GT(box.Height, oneLine);
    const Rect text = box.lblMsg.CanvasBounds();
    EXPECT_GE(text.X, box.Left);
    EXPECT_LE(text.X + text.W, box.Left + box.Width);
}

TEST(WrapTextTest, BreaksAtEveryLineEndAndWrapsWideLines) {
    std::string error;
    auto platform = CreateNullPlatform({}, error);
    ASSERT_TRUE(platform) << error;
    GlyphCache glyphs(platform->Fonts());
    EXPECT_EQ(WrapText(glyphs, "a\rb\nc\r\nd", 500),
              (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(WrapText(glyphs, "", 500), std::vector<std::string>{""});
    EXPECT_EQ(WrapText(glyphs, "x\n", 500), (std::vector<std::string>{"x", ""}));
    // Full-width characters are 16 pixels: three fit in 50.
    EXPECT_EQ(WrapText(glyphs, "あいうえおか", 50), (std::vector<std::string>{"あいう", "えおか"}));
    // Closing punctuation never starts a line.
    EXPECT_EQ(WrapText(glyphs, "あいう。えお", 50), (std::vector<std::string>{"あいう。", "えお"}));
    // At least one character a line, however narrow.
    EXPECT_EQ(WrapText(glyphs, "あい", 3), (std::vector<std::string>{"あ", "い"}));
    // Words of letters or digits, half- or full-width, wrap whole; one wider
    // than the box breaks where it must.
    EXPECT_EQ(WrapText(glyphs, "あいＥｓｃ", 50), (std::vector<std::string>{"あい", "Ｅｓｃ"}));
    EXPECT_EQ(WrapText(glyphs, "Esc or BS", 40), (std::vector<std::string>{"Esc ", "or BS"}));
    EXPECT_EQ(WrapText(glyphs, "ＡＢＣＤ", 50), (std::vector<std::string>{"ＡＢＣ", "Ｄ"}));
}

// A party of three (roster slots 5, 2, 9 in marching order) with a few items.
class PickerTest : public UiTest {
  protected:
    void Open(std::string_view script = "") {
        pickers_.reset();
        dialogs_.reset();
        ASSERT_NO_FATAL_FAILURE(Start(script));
        dialogs_ = std::make_unique<Dialogs>(Manager(), nullptr, nullptr);
        pickers_ = std::make_unique<Pickers>(Manager(), *dialogs_, G);
    }
    void SetUp() override {
        for (int i = 1; i <= 15; ++i) {
            G.Items[static_cast<size_t>(100 + i)].Name = "品" + std::to_string(i);
            G.Items[static_cast<size_t>(100 + i)].UnidentifiedName = "謎" + std::to_string(i);
        }
        const std::array<std::pair<int, const char*>, 3> party{
            {{5, "ALICE"}, {2, "BOB"}, {9, "CAROL"}}};
        G.PartyCount = 3;
        for (size_t i = 0; i < party.size(); ++i) {
            G.PartyList[i + 1] = static_cast<int16_t>(party[i].first);
            G.Roster[static_cast<size_t>(party[i].first)].Id = party[i].first;
            G.Roster[static_cast<size_t>(party[i].first)].Name = party[i].second;
        }
        // ALICE: slots 2 and 5, the second not identified. BOB: nothing.
        // CAROL: a full pack showing every marker.
        Hold(5, 2, 101, 0);
        Hold(5, 5, 102, Unidentified);
        constexpr std::array<int32_t, 15> flags{CursedEquipped | Unidentified | 1,
                                                Unidentified | CannotEquip,
                                                CannotEquip | 3,
                                                3,
                                                8,
                                                9,
                                                0};
        for (int slot = 1; slot <= 15; ++slot) Hold(9, slot, 100 + slot, flags[slot - 1]);
    }
    void TearDown() override {
        pickers_.reset();
        dialogs_.reset();
    }
    void Hold(int who, int slot, int item, int32_t flags) {
        InventorySlot& s = G.Roster[static_cast<size_t>(who)].Items[static_cast<size_t>(slot)];
        s.ItemId = item;
        s.ItemFlags = flags;
        s.ItemCount = 1;
    }
    Pickers& P() { return *pickers_; }

    Game G;

  private:
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<Pickers> pickers_;
};

TEST_F(PickerTest, MemberRowsAreTheNamesInMarchingOrderWithTheirRosterSlots) {
    ASSERT_NO_FATAL_FAILURE(Open("Down Enter"));
    EXPECT_EQ(P().ChooseMember(0, "誰が？"), 2);
    EXPECT_EQ(P().SelectedValue(), 2);
    const SelectBox& box = P().frmSelectBox;
    EXPECT_FALSE(box.IsOpen());
    EXPECT_EQ(box.Width, SelectBox::NormalWidth);
    EXPECT_FALSE(box.lstItem.Visible);
    EXPECT_EQ(
        TranscriptLines(),
        std::vector<std::string>{
            R"({"t":"list","name":"frmSelectBox","caption":"誰が？","rows":["ALICE","BOB","CAROL"],"index":0})"});

    for (const char* cancel : {"Esc", "Backspace"}) {
        ASSERT_NO_FATAL_FAILURE(Open(std::string("Down ") + cancel));
        EXPECT_EQ(P().ChooseMember(0, "誰が？"), -1) << cancel;
        EXPECT_FALSE(Manager().Quitting());
    }
    // The run ending under the box is no choice either.
    ASSERT_NO_FATAL_FAILURE(Open("Down"));
    EXPECT_EQ(P().ChooseMember(0, "誰が？"), -1);
}

TEST_F(PickerTest, WideFormListsTheHighlightedMembersItemsWithMarkers) {
    ASSERT_NO_FATAL_FAILURE(Open("Down Down Up Down Esc"));
    EXPECT_EQ(P().ChooseMember(1, "誰に渡しますか？"), -1);
    const SelectBox& box = P().frmSelectBox;
    EXPECT_EQ(box.Width, SelectBox::WideWidth);
    EXPECT_TRUE(box.lstItem.Visible);
    // The box was left on CAROL: her full pack, numbered 1..F.
    EXPECT_EQ(box.lblmsgItem.Caption(), "CAROLの\n持ち物");
    ASSERT_EQ(box.lstItem.ListCount(), 15);
    EXPECT_EQ(box.lstItem.List(0), "1:- 謎1");
    EXPECT_EQ(box.lstItem.List(1), "2:? 謎2");
    EXPECT_EQ(box.lstItem.List(2), "3:# 品3");
    EXPECT_EQ(box.lstItem.List(3), "4:* 品4");
    EXPECT_EQ(box.lstItem.List(4), "5:* 品5");
    EXPECT_EQ(box.lstItem.List(5), "6:  品6");
    EXPECT_EQ(box.lstItem.List(8), "9:  品9");
    EXPECT_EQ(box.lstItem.List(9), "A:  品10");
    EXPECT_EQ(box.lstItem.List(14), "F:  品15");
    EXPECT_EQ(box.lstItem.ItemData(0), 0);  // a display only: rows carry no data

    // Each member's items were listed once as the highlight reached them;
    // moving back to a member lists them again, a key that moves nothing does not.
    const std::vector<std::string> lines = TranscriptLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(
        lines[1],
        R"({"t":"list","name":"frmSelectBox.lstItem","caption":"ALICEの\n持ち物","rows":["1:  品1","2:? 謎2"],"index":-1})");
    EXPECT_EQ(
        lines[2],
        R"({"t":"list","name":"frmSelectBox.lstItem","caption":"BOBの\n持ち物","rows":[],"index":-1})");
    EXPECT_NE(lines[3].find("CAROLの"), std::string::npos);
    EXPECT_NE(lines[4].find("BOBの"), std::string::npos);
    EXPECT_NE(lines[5].find("CAROLの"), std::string::npos);
}

TEST_F(PickerTest, ItemRowsNumberTheFilledSlotsAndCarryTheSlot) {
    ASSERT_NO_FATAL_FAILURE(Open("Down Enter 2 Enter"));
    EXPECT_EQ(P().ChooseItem(5), 5);
    const ListEx& list = P().frmSelectBox.lst;
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(0), "1:品1");
    EXPECT_EQ(list.List(1), "2:謎2");  // known only by its unidentified name
    EXPECT_EQ(list.ItemData(0), 2);
    // The row number is the row's key.
    EXPECT_EQ(P().ChooseItem(5), 5);
}

TEST_F(PickerTest, NoItemsIsAMessageAndMinusOneWithoutTheBox) {
    ASSERT_NO_FATAL_FAILURE(Open("Enter Enter"));
    EXPECT_EQ(P().ChooseItem(2), -1);
    EXPECT_EQ(P().ChooseItem(77), -1);  // no such roster slot: nothing to choose either
    EXPECT_FALSE(Manager().Quitting());
    EXPECT_EQ(
        TranscriptLines(),
        (std::vector<std::string>{R"({"t":"dialog","kind":2,"text":"アイテムを持っていません"})",
                                  R"({"t":"dialog","kind":2,"text":"アイテムを持っていません"})"}));
    EXPECT_FALSE(P().frmSelectBox.Visible);
}

TEST_F(PickerTest, ListRowsSkipEmptyTextsAndStartWhereAsked) {
    const std::vector<std::string> texts{"A)一", "", "B)二", "C)三"};
    const std::vector<int32_t> values{10, 20, 30};
    ASSERT_NO_FATAL_FAILURE(Open("Enter Enter Enter Enter C Enter"));
    EXPECT_EQ(P().ChooseFromList(texts, values, "どれ？", 1), 30);
    EXPECT_EQ(P().ChooseFromList(texts, values, "どれ？", -1), 10);
    EXPECT_EQ(P().ChooseFromList(texts, values, "どれ？", 99), 10);  // past the end: first row
    EXPECT_EQ(P().ChooseFromList(texts, values, "どれ？", 2), 0);    // no value for it
    EXPECT_EQ(P().ChooseFromList(texts, values, "どれ？", 0), 0);    // C) by its key
    const ListEx& list = P().frmSelectBox.lst;
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(1), "B)二");
    EXPECT_EQ(
        TranscriptLines()[0],
        R"({"t":"list","name":"frmSelectBox","caption":"どれ？","rows":["A)一","B)二","C)三"],"index":1})");
}

TEST_F(PickerTest, AnEmptyListWaitsForEsc) {
    ASSERT_NO_FATAL_FAILURE(Open("Enter Down Enter Esc"));
    EXPECT_EQ(P().ChooseFromList({"", ""}, {1, 2}, "どれ？", 0), -1);
    EXPECT_FALSE(Manager().Quitting()) << "Esc closed it, not the end of the script";
}

TEST_F(PickerTest, OptionsAreNumberedFromOneAndAClickOnARowChoosesIt) {
    ASSERT_NO_FATAL_FAILURE(Open("Down Down Enter Esc"));
    EXPECT_EQ(P().ChooseOption("どうする？", {"A)はい", "B)いいえ", "C)やめる"}), 3);
    EXPECT_EQ(P().ChooseOption("どうする？", {"A)はい", "B)いいえ", "C)やめる"}), -1);
    // Laid out as the last time: click the second row.
    const ListEx& list = P().frmSelectBox.lst;
    const Rect at = list.CanvasBounds();
    Rect row = list.RowBounds(1);
    ASSERT_GT(row.H, 0);
    Host().Events().Push(ClickEvent(at.X + row.X + 10, at.Y + row.Y + row.H / 2));
    EXPECT_EQ(P().ChooseOption("どうする？", {"A)はい", "B)いいえ", "C)やめる"}), 2);
    EXPECT_FALSE(Manager().Quitting());
}

TEST(CharacterItemsTest, NumbersAndMarkers) {
    EXPECT_EQ(ItemRowNumber(1), "1");
    EXPECT_EQ(ItemRowNumber(10), "A");
    EXPECT_EQ(ItemRowNumber(15), "F");
    EXPECT_EQ(ItemRowNumber(16), "10");
    InventorySlot slot;
    slot.ItemFlags = 0;
    EXPECT_EQ(ItemRowMarker(slot), "  ");
    slot.ItemFlags = 8;
    EXPECT_EQ(ItemRowMarker(slot), "* ");
    slot.ItemFlags = 9;
    EXPECT_EQ(ItemRowMarker(slot), "  ");
    slot.ItemFlags = CursedEquipped | CannotEquip;
    EXPECT_EQ(ItemRowMarker(slot), "- ");
    Game game;
    slot.ItemId = 5000;  // outside the table
    EXPECT_EQ(ItemRowName(game, slot), "");
}

}  // namespace
}  // namespace kv::test
