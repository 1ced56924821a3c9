#include "town/TempleScreen.h"

#include <vector>

#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "town/CastleScreen.h"
#include "town/Temple.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"

namespace kv {

namespace {

constexpr std::string_view Caption = "アルセア寺院　誰を助けますか？ 選んで下さい";
constexpr std::string_view PayerCaption = "誰が助けますか？　　選んでください";
constexpr std::string_view Back = "戻る";

class TempleScreen : public Screen {
  public:
    explicit TempleScreen(ScreenContext& context) : context_(context) {}

    // From the castle: the patient list, or a word that nobody is there.
    bool Open() override {
        // The temple keeps the castle's music: nothing is played on the way in.
        if (!ShowPatients()) context_.ThePlayer.Message("寺院の中にはだれもいません");
        return true;
    }

    void CarryOut(int row) override {
        if (row < 0 || row >= static_cast<int>(patients_.size())) {
            ShowCastle(context_);
            return;
        }
        patientRow_ = row;
        MainWindow& main = context_.Main;
        main.lstCommandList.SetCaption(PayerCaption);
        main.BeginPartySelection(1);
    }

    void MemberChosen() override {
        Game& game = context_.TheGame;
        MainWindow& main = context_.Main;
        if (patientRow_ < 0 || patientRow_ >= static_cast<int>(patients_.size())) {
            main.EndPartySelection();
            return;
        }
        const TemplePatient patient = patients_[static_cast<size_t>(patientRow_)];
        const TreatResult result =
            Treat(game, context_.ThePlayer, patient.Slot, game.CurrentChar, patient.Fee);
        // A member who cannot pay leaves the party window up for another.
        if (result == TreatResult::CannotPay) return;
        main.EndPartySelection();
        if (result == TreatResult::Treated) {
            main.RefreshPartyPanel();
            context_.Save();
        }
        // With nobody left to help the castle takes the keys back.
        if (!ShowPatients(patientRow_)) ShowCastle(context_);
    }

    void PartySelectionLeft() override {
        context_.Main.EndPartySelection();
        if (!ShowPatients(patientRow_)) ShowCastle(context_);
    }

  private:
    // False when nobody needs help.
    bool ShowPatients(int row = 0) {
        patients_ = TemplePatients(context_.TheGame);
        if (patients_.empty()) return false;
        CommandMenu menu{std::string(Caption), {}};
        std::vector<int32_t> data;
        for (const TemplePatient& patient : patients_) {
            menu.Rows.push_back(patient.Text);
            data.push_back(patient.Slot);
        }
        menu.Rows.emplace_back(Back);
        data.push_back(-1);
        context_.Main.SetCommandMenu(MenuStates::Temple, menu,
                                     std::min<int>(row, static_cast<int>(patients_.size())), data);
        return true;
    }

    ScreenContext& context_;
    std::vector<TemplePatient> patients_;
    int patientRow_ = 0;
};

}  // namespace

void InstallTempleScreen(ScreenContext& context) {
    context.Install<TempleScreen>(MenuStates::Temple, context);
}

}  // namespace kv
