#include "dungeon/MazeScreen.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "character/Party.h"
#include "character/PartyMembers.h"
#include "core/CommandMenus.h"
#include "core/PartyBits.h"
#include "core/StringTable.h"
#include "core/Transcript.h"
#include "dungeon/AutoMapWindow.h"
#include "dungeon/CampMaze.h"
#include "dungeon/ChestScreen.h"
#include "dungeon/Encounters.h"
#include "dungeon/Events.h"
#include "dungeon/MazeParty.h"
#include "dungeon/MazeView.h"
#include "dungeon/Movement.h"
#include "dungeon/PersonPanel.h"
#include "dungeon/SearchAndUse.h"
#include "items/StatusWindow.h"
#include "platform/Keys.h"
#include "town/CastleScreen.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"
#include "ui/PictureBox.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr double SecondsPerDay = 24 * 60 * 60;
constexpr uint32_t ArrowColour = Rgb(255, 255, 255);
constexpr int ArrowSize = 16;

// Where the party stands, as the transcript's where lines tell it.
struct Whereabouts {
    int Place = -1, Floor = -1, X = -1, Y = -1, Facing = -1;
    bool operator==(const Whereabouts&) const = default;
};

class MazeScreen : public Screen {
  public:
    explicit MazeScreen(ScreenContext& context)
        : context_(context),
          chest_(context, [this](const MoveResult& next) { AfterChest(next); }),
          person_(context) {
        MainWindow& main = context.Main;
        lblMove_.Name = "lblMove";
        lblMove_.Visible = false;
        lblMove_.Move(main.Width / 2 - ArrowSize / 2, main.Height - main.Height / 4 - ArrowSize - 4,
                      ArrowSize, ArrowSize);
        main.Add(lblMove_);
        context.TheDisplay.RedrawMaze = [this] { Redraw(); };
        context.TheDisplay.ShowMoveArrow = [this](MoveKind kind) { ShowMove(kind); };
        context.TheDisplay.MeetPerson = [this](std::string_view greeting) {
            personMet_ = true;
            greeting_ = greeting;
        };
    }

    // The party is in the maze: the view replaces the command menu.
    void Show() {
        context_.Main.SetCaption(std::string(ResString(Str::MazeCaption)));
        if (context_.TheGame.MenuState != MenuStates::Maze) {
            context_.Main.SetCommandMenu(MenuStates::Maze);
        } else {
            Enter();
        }
    }

    void Enter() override {
        MainWindow& main = context_.Main;
        main.lstCommandList.Visible = false;
        main.lstCommandList.Enabled = false;
        main.FocusControl(nullptr);
        main.RefreshPartyPanel();
        Redraw();
    }

    void Leave() override {
        MainWindow& main = context_.Main;
        lblMove_.Visible = false;
        main.tmrMove.SetEnabled(false);
        person_.Close();
        // A battle is fought over the view; only the way home puts the town back.
        if (context_.TheGame.CurrentFloor < 1) BackInTown();
    }

    // The town picture behind the menus again.
    void BackInTown() {
        MainWindow& main = context_.Main;
        // Never drawn over (the view was not shown): the town is still there.
        if (!townPicture_.Empty()) main.picMap.SetPicture(townPicture_);
        main.fraParty.Visible = true;
        main.SetCaption(MainWindow::TownCaption);
        NoteWhere();
    }

    void CarryOut(int) override {}

    bool KeyDown(int keyCode, int shift) override {
        MainWindow& main = context_.Main;
        Game& game = context_.TheGame;
        // The party window and the reorder panel have the keys while open.
        if (main.fraParty.Enabled || main.fraReorder.IsShown()) return false;
        // The person's panel has the keys: the party stays where it is.
        if (person_.IsOpen()) return false;
        if (game.ScreenState == ScreenStates::Chest) return chest_.KeyDown(keyCode, shift);
        if (game.ScreenState != ScreenStates::Map || game.CurrentFloor < 1) return true;
        if ((shift & Key::AltMask) != 0) return false;
        Player& player = context_.ThePlayer;
        switch (context_.MazeKeys.Translate(keyCode, context_.Windows.KeyFromPad())) {
            case Key::Up:
                Act(TryStep(game, player, false, context_.TheDisplay));
                break;
            case Key::Space:
            case Key::Return:
                Act(TryStep(game, player, true, context_.TheDisplay));
                break;
            case Key::Right:
                Act(MoveParty(game, player, MoveKind::Right, context_.TheDisplay));
                break;
            case Key::Down:
                Act(MoveParty(game, player, MoveKind::About, context_.TheDisplay));
                break;
            case Key::Left:
                Act(MoveParty(game, player, MoveKind::Left, context_.TheDisplay));
                break;
            case Key::Letter('W'):
                main.fraParty.Visible = !main.fraParty.Visible;
                Redraw();
                break;
            case Key::Letter('E'):
                main.OpenReorder();
                break;
            case Key::Letter('I'):
                main.fraParty.Visible = true;
                Redraw();
                main.BeginPartySelection();
                break;
            case Key::Letter('S'):
                FindCompanions(game, player, context_.TheDisplay);
                Redraw();
                break;
            case Key::Letter('Q'):
                SuspendAdventure(game, player, context_.TheDisplay);
                NoteWhere();
                break;
            case Key::Letter('U'):
                Act(UseItemHere(game, player, context_.TheDisplay));
                break;
            case Key::Letter('F'): {
                int chestLevel = 0;
                const MoveResult found = SearchHere(game, player, context_.TheDisplay, chestLevel);
                if (found.Outcome == MazeOutcome::None && chestLevel > 0) {
                    chest_.ShowHiddenChest(chestLevel);
                    break;
                }
                Act(found);
                break;
            }
            case Key::Letter('N'):
                context_.Windows.Host().Screen().Minimise();
                break;
            case Key::Letter('X'):
                context_.Windows.Host().Screen().ToggleMaximise();
                break;
            case Key::Control:
                context_.Save();
                break;
            default:
                if (keyCode > Key::Digit0 && keyCode <= Key::Digit0 + MaxPartySize) {
                    ShowMember(keyCode - Key::Digit0);
                    break;
                }
                return false;
        }
        return true;
    }

    void Timer(MainTimer timer) override {
        if (timer == MainTimer::Treasure) chest_.Timer(timer);
        if (timer != MainTimer::Move) return;
        context_.Main.tmrMove.SetEnabled(false);
        lblMove_.Visible = false;
        lblMove_.Refresh();
    }

    void MemberChosen() override {
        if (context_.TheGame.ScreenState == ScreenStates::Chest) {
            chest_.MemberChosen();
            return;
        }
        context_.Main.EndPartySelection();
        Camp(context_.TheGame.CurrentChar);
    }

    void PartySelectionLeft() override {
        if (context_.TheGame.ScreenState == ScreenStates::Chest) {
            chest_.PartySelectionLeft();
            return;
        }
        context_.Main.EndPartySelection();
    }

    void ReorderClosed() override { AfterCamp(); }

    // The battle is over: the party carries on in the maze, or goes home.
    void BattleOver(BattleEnd end) {
        Game& game = context_.TheGame;
        game.ScreenState = ScreenStates::Map;
        const bool eventBattle = eventBattle_;
        eventBattle_ = false;
        if (end == BattleEnd::Defeat) {
            // The battle has set the bodies down where they fell, told the
            // player and brought the castle back; the battle's screen was the
            // one to leave, so the town picture comes back here.
            BackInTown();
            return;
        }
        Show();
        if (end == BattleEnd::Victory && game.Battle.ChestLeft) {
            // The chest is dealt with first; the events after an event's
            // battle wait for it.
            game.Battle.ChestLeft = false;
            chest_.ShowBattleChest();
            return;
        }
        if (end == BattleEnd::Victory && eventBattle) {
            const EventRun run =
                RunEvents(game, context_.ThePlayer, EventTrigger::AfterBattle, context_.TheDisplay);
            game.LastEventResult = run.Result;
            context_.Save();
            if (run.PartyGone) {
                HandleWipeOut(game, context_.ThePlayer, context_.TheDisplay);
                NoteWhere();
                return;
            }
            if (run.WentHome) {
                NoteWhere();
                return;
            }
            if (run.Result > 0) {
                Act({MazeOutcome::EventBattle, run.Result});
                return;
            }
            Redraw();
            Act({run.Result < 0 ? MazeOutcome::PersonMet : MazeOutcome::None, 0});
        }
    }

  private:
    // The chest is opened or left: the view back, or what follows it.
    void AfterChest(const MoveResult& next) {
        if (next.Outcome == MazeOutcome::None && context_.TheGame.CurrentFloor > 0) Redraw();
        Act(next);
    }

    void Act(const MoveResult& result) {
        const bool met = std::exchange(personMet_, false);
        switch (result.Outcome) {
            case MazeOutcome::EventBattle:
                // A person whose event goes on to a battle attacks: the
                // greeting is his challenge, and there is no panel.
                if (met && !greeting_.empty()) context_.ThePlayer.Message(greeting_);
                eventBattle_ = true;
                Fight(result.Encounter);
                break;
            case MazeOutcome::RandomBattle:
                eventBattle_ = false;
                Fight(0);
                break;
            case MazeOutcome::WentHome:
            case MazeOutcome::WipedOut:
                break;
            default:
                if (met) {
                    person_.Open(greeting_);
                    Redraw();
                }
                break;
        }
        NoteWhere();
    }

    void Fight(int encounter) {
        if (!context_.StartBattle) {
            eventBattle_ = false;
            ScreenContext::NotInstalled("the battle");
            return;
        }
        context_.StartBattle(encounter);
    }

    void ShowMember(int position) {
        const Game& game = context_.TheGame;
        if (position > game.PartyCount) return;
        Camp(game.PartyList[static_cast<size_t>(position)]);
    }

    // The status sheet of a member, opened in the maze: the camp, with its
    // own music while it lasts.
    void Camp(int slot) {
        Game& game = context_.TheGame;
        context_.Music.PlayScene(SceneCamp);
        MazeCampHost host(game, context_.ThePlayer, context_.TheDisplay,
                          [this] { ShowAutomap(context_.Windows, context_.TheGame); });
        ShowStatusWindow(context_, slot, StatusMode::Camp, &host);
        // A teleport into rock or out of the maze has brought the castle back.
        if (host.PartyGone()) return;
        if (game.CurrentFloor > 0) context_.Music.PlayScene(game.Config.MazeScene);
        AfterCamp();
        // Monsters called by a spell come as the camp closes.
        if ((game.PartyEffects & PartyEffectCallMonsters) != 0 && game.CurrentFloor > 0) {
            game.PartyEffects &= ~PartyEffectCallMonsters;
            eventBattle_ = false;
            game.LastEventResult = 0;
            game.Config.BattleScene = SceneBattle1;
            Fight(0);
        }
    }

    void AfterCamp() {
        // Skills switched in the camp change the odds of meeting monsters
        // before the next step.
        if (context_.TheGame.CurrentFloor > 0) SetEncounterOdds(context_.TheGame);
        context_.Main.RefreshPartyPanel();
        if (context_.TheGame.CurrentFloor > 0) Redraw();
    }

    void Redraw() {
        Game& game = context_.TheGame;
        if (game.CurrentFloor < 1 || game.PartyCount < 1) return;
        MainWindow& main = context_.Main;
        ApplyEffectSkills(game);
        // The view is drawn over the town picture: it is kept aside the
        // first time, for the way home.
        if (townPicture_.Empty()) townPicture_ = main.picMap.Picture();
        const MazeArt& art = Art();
        DrawMazeView(main.picMap.Surface(), context_.Windows.Glyphs(), game, art,
                     ChooseViewStyle(game.Config.ViewMode, art.PicturesMissing),
                     main.fraParty.Visible);
        main.picMap.Refresh();
        NoteWhere();
    }

    void ShowMove(MoveKind kind) {
        Image arrow(ArrowSize, ArrowSize, Rgb(0, 0, 0));
        Canvas canvas(arrow);
        GlyphCache& glyphs = context_.Windows.Glyphs();
        const bool up = kind == MoveKind::Step || kind == MoveKind::Left;
        const std::string_view mark = up ? "▲" : "▼";
        if (kind == MoveKind::Right || kind == MoveKind::Left) {
            // The turns use the vertical font: the arrow lies on its side.
            canvas.DrawTextRotated(glyphs, 0, 0, mark, ArrowColour);
        } else {
            canvas.DrawText(glyphs, 0, 0, mark, ArrowColour);
        }
        lblMove_.SetPicture(std::move(arrow));
        lblMove_.Visible = true;
        lblMove_.BringToFront();
        context_.Main.tmrMove.SetEnabled(true);
    }

    // The walls, doors and moons are read when the view is first drawn: a run
    // that never leaves the town never decodes them.
    const MazeArt& Art() {
        if (!art_)
            art_ = LoadMazeArt(context_.Windows.Host().Images(), context_.TheGame.DataFolder);
        return *art_;
    }

    // One where line each time the party's place, floor, cell or facing changes.
    void NoteWhere() {
        const Game& game = context_.TheGame;
        const Whereabouts now{game.CurrentPlace, game.CurrentFloor, game.PartyX, game.PartyY,
                              game.PartyFacing};
        if (now == where_) return;
        where_ = now;
        JsonLine line;
        line.Add("t", "where")
            .Add("place", now.Place)
            .Add("floor", now.Floor)
            .Add("x", now.X)
            .Add("y", now.Y)
            .Add("facing", now.Facing);
        context_.Windows.Log().Write(line);
    }

    ScreenContext& context_;
    Image townPicture_;
    std::optional<MazeArt> art_;
    PictureBox lblMove_;
    Whereabouts where_;
    bool eventBattle_ = false;
    ChestScreen chest_;
    PersonPanel person_;
    bool personMet_ = false;  // an event met a person; the panel opens after it
    std::string greeting_;
};

// The place menu: each maze, and the way back to the edge of town.
class MazeChoiceScreen : public Screen {
  public:
    MazeChoiceScreen(ScreenContext& context, MazeScreen& maze) : context_(context), maze_(maze) {}

    void CarryOut(int row) override {
        Game& game = context_.TheGame;
        const std::vector<PlaceRow> rows = MazeEntryRows(game);
        if (row < 0 || row >= static_cast<int>(rows.size())) return;
        const int place = rows[static_cast<size_t>(row)].Place;
        if (place == 0) {
            ShowEdgeOfTown(context_);
            return;
        }
        if (EnterMaze(game, context_.ThePlayer, place, context_.TheDisplay)) maze_.Show();
    }

  private:
    ScreenContext& context_;
    MazeScreen& maze_;
};

}  // namespace

void InstallMazeScreens(ScreenContext& context) {
    MazeScreen& maze = context.Install<MazeScreen>(MenuStates::Maze, context);
    context.Install<MazeChoiceScreen>(MenuStates::MazeChoice, context, maze);
    context.BattleOver = [&maze](BattleEnd end) { maze.BattleOver(end); };
    context.ResumeAdventure = [&context, &maze](int slot) {
        if (ResumeAdventure(context.TheGame, context.ThePlayer, slot, context.TheDisplay)) {
            maze.Show();
        } else if (context.TheGame.CurrentFloor < 1) {
            maze.BackInTown();
        }
    };
    context.StartAtCell = [&context, &maze](const std::array<int, 5>& at, std::string& why) {
        const CellPosition cell{at[0], at[1], at[2], at[3], at[4]};
        if (!StartAtCell(context.TheGame, context.ThePlayer, cell, context.TheDisplay, why)) {
            return false;
        }
        maze.Show();
        return true;
    };
}

}  // namespace kv
