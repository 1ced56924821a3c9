#include "town/TrainingScreen.h"

#include <memory>

#include "character/Roster.h"
#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "platform/Keys.h"
#include "town/CastleScreen.h"
#include "town/CharacterListWindow.h"
#include "town/CreationPanel.h"
#include "town/Training.h"
#include "transfer/TransferCharacter.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

enum TrainingRow { Create, View, Delete, Rebirth, Move, Rename, ChangeClassRow, ToEdge };

constexpr const char* Nobody = "キャラクターはいません";
constexpr const char* NobodyToMove = "並び替えるキャラクターがいません";
constexpr const char* NoClassOpen = "転職できる職業がありません";
constexpr const char* SameClass = "同じ職業にはなれませんよ";
constexpr const char* NameInUse = "同じ名前のキャラクターがいますよ";
constexpr const char* NameTooLong = "名前は５０文字までです";
constexpr const char* StopRow = "止める";

class TrainingScreen : public Screen {
  public:
    explicit TrainingScreen(ScreenContext& context) : context_(context), creation_(context) {
        MainWindow& main = context.Main;
        StyleMenuList(lstClassChange);
        lstClassChange.Move(main.lstCommandList.Left, 96, main.lstCommandList.Width, 184);
        lstClassChange.Visible = false;
        lstClassChange.AccessKeyOn = false;
        lstClassChange.OnKeyDown = [this](int& keyCode, int) {
            if (Key::IsBack(keyCode)) {
                CloseClassList();
                keyCode = 0;
            }
        };
        lstClassChange.OnEnter = [this] { ClassChosen(); };
        main.Add(lstClassChange);
    }

    void CarryOut(int row) override {
        switch (row) {
            case Create:
                creation_.Start([this] { Rebuild(Create); });
                break;
            case View:
                ViewCharacters();
                break;
            case Delete:
                DeleteCharacter();
                break;
            case Rebirth:
                if (TransferCharacter(context_.TheGame, context_.ThePlayer) != 0) context_.Save();
                Rebuild(Rebirth);
                break;
            case Move:
                MoveCharacters();
                break;
            case Rename:
                RenameCharacterRow();
                break;
            case ChangeClassRow:
                OpenClassList();
                break;
            case ToEdge:
                ShowEdgeOfTown(context_);
                break;
            default:
                break;
        }
    }

    ListEx lstClassChange{"lstClassChange"};

  private:
    void Rebuild(int row) { context_.Main.SetCommandMenu(MenuStates::TrainingGrounds, row); }

    void ViewCharacters() {
        Game& game = context_.TheGame;
        if (CountRoster(game) == 0) {
            context_.ThePlayer.Message(Nobody);
            return;
        }
        // The list stays open: each character may be looked at in turn.
        ChooseCharacter(context_, static_cast<int>(RosterListMode::View), [this](int id) {
            if (context_.ShowStatus) context_.ShowStatus(id, true);
            return RowOutcome::StayOpen;
        });
    }

    void DeleteCharacter() {
        Game& game = context_.TheGame;
        ChooseCharacter(context_, static_cast<int>(RosterListMode::Delete), [this, &game](int id) {
            const Creature& c = game.Roster[static_cast<size_t>(id)];
            if (!context_.ThePlayer.Ask(c.Name + "を削除します　よいですか？")) {
                return RowOutcome::StayOpen;
            }
            EraseCharacter(game, id);
            context_.Save();
            return RowOutcome::Close;
        });
        context_.Save();
    }

    void MoveCharacters() {
        Game& game = context_.TheGame;
        if (CountRoster(game) < 2) {
            context_.ThePlayer.Message(NobodyToMove);
            return;
        }
        // The first character chosen is moved to where the second one stands.
        // The moves reach the file with the next save.
        int source = 0;
        ChooseCharacter(context_, static_cast<int>(RosterListMode::Move),
                        [this, &game, &source](int id) {
                            if (source == 0) {
                                source = id;
                                const Creature& c = game.Roster[static_cast<size_t>(id)];
                                context_.ThePlayer.Message(c.Name + "を\rどこに移動させますか？");
                                return RowOutcome::StayOpen;
                            }
                            MoveInRoster(game, source, id);
                            source = 0;
                            return RowOutcome::Rebuild;
                        });
    }

    void RenameCharacterRow() {
        Game& game = context_.TheGame;
        ChooseCharacter(context_, static_cast<int>(RosterListMode::Rename), [this, &game](int id) {
            const std::string name = context_.ThePlayer.Input("新しい名前を入力して下さい");
            switch (RenameCharacter(game, id, name)) {
                case RenameResult::Empty:
                    return RowOutcome::StayOpen;
                case RenameResult::TooLong:
                    context_.ThePlayer.Message(NameTooLong);
                    return RowOutcome::StayOpen;
                case RenameResult::NameInUse:
                    context_.ThePlayer.Message(NameInUse);
                    return RowOutcome::StayOpen;
                case RenameResult::Renamed:
                    context_.Save();
                    return RowOutcome::Close;
            }
            return RowOutcome::StayOpen;
        });
        context_.Save();
    }

    void OpenClassList() {
        Game& game = context_.TheGame;
        if (!AnyoneMayChangeClass(game)) {
            context_.ThePlayer.Message(Nobody);
            return;
        }
        const int id = ChooseCharacter(context_, static_cast<int>(RosterListMode::ChangeClass));
        if (id <= 0) return;
        changing_ = id;
        const std::vector<int32_t> classes = ClassesForChange(game, id);
        if (classes.empty()) {
            context_.ThePlayer.Message(NoClassOpen);
            return;
        }
        lstClassChange.Clear();
        for (const int32_t bit : classes) {
            lstClassChange.AddItem(game.Classes[static_cast<size_t>(BitIndex(bit))].ClassTitle);
            lstClassChange.SetItemData(lstClassChange.NewIndex(), bit);
        }
        lstClassChange.AddItem(StopRow);
        lstClassChange.SetItemData(lstClassChange.NewIndex(), 0);
        lstClassChange.SetCaption("どの職業に就きますか？");
        lstClassChange.SetListIndex(0);
        context_.Main.lstCommandList.Visible = false;
        lstClassChange.Visible = true;
        lstClassChange.SetFocus();
        std::vector<std::string> rows;
        for (int i = 0; i < lstClassChange.ListCount(); ++i) rows.push_back(lstClassChange.List(i));
        context_.Windows.Log().List(lstClassChange.Name, lstClassChange.Caption(), rows, 0);
    }

    void CloseClassList() {
        lstClassChange.Visible = false;
        MainWindow& main = context_.Main;
        main.lstCommandList.Visible = true;
        main.lstCommandList.Enabled = true;
        main.lstCommandList.SetFocus();
    }

    void ClassChosen() {
        Game& game = context_.TheGame;
        const int row = lstClassChange.ListIndex();
        if (row < 0 || changing_ <= 0) return;
        const int32_t bit = lstClassChange.ItemData(row);
        Creature& c = game.Roster[static_cast<size_t>(changing_)];
        const std::string className = lstClassChange.List(row);
        if (bit == 0) {
            CloseClassList();
        } else if (bit == c.Class) {
            context_.ThePlayer.Message(SameClass);
            CloseClassList();
        } else if (!context_.ThePlayer.Ask(c.Name + std::string(ResString(Str::NameBreak)) +
                                           className + "に転職しますか？")) {
            CloseClassList();
        } else {
            ChangeClass(game, changing_, bit);
            context_.Save();
            context_.ThePlayer.Message(className + "に転職しました");
            CloseClassList();
        }
    }

    ScreenContext& context_;
    CreationPanel creation_;
    int changing_ = 0;
};

}  // namespace

void InstallTrainingScreen(ScreenContext& context) {
    context.Install<TrainingScreen>(MenuStates::TrainingGrounds, context);
}

}  // namespace kv
