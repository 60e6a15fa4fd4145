#include "wizard/wizard_launchers.h"

#include "shell/app_state.h"
#include "wizard/frm_display_wizard.h"
#include "wizard/frm_wizard.h"

namespace quarrion {

ColumnsWizardLauncher MakePreferencesWizardLauncher() {
    return [](AppState& state, QWidget* parent) {
        frmWizard wizard(state.Catalog(), state.Manager(), state.HelpFile(), parent);
        wizard.exec();
    };
}

DisplayColumnsLauncher MakeDisplayColumnsLauncher() {
    return
        [](ConsoleHost& host, std::int32_t requestType, DisplayColumns& columns, QWidget* parent) {
            AppState& state = host.State();
            frmDisplayWizard wizard(state.Catalog(), state.HelpFile(), parent);
            wizard.SetDisplayColumns(columns, requestType);
            return wizard.Start() == frmDisplayWizard::FinishPressed;
        };
}

}  // namespace quarrion
