#include "results/frm_re_search.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QScreen>

#include "model/inc_item.h"
#include "model/search_object2.h"
#include "qbxml/request_type_info.h"
#include "results/re_search_console.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"

namespace quarrion {

frmReSearch::frmReSearch(AppState& state, QWidget* parent)
    : QDialog(parent),
      lstView_(new QListWidget(this)),
      conView_(new ReSearchConsole(state.Catalog(), this)) {
    setObjectName(QStringLiteral("frmReSearch"));
    setAccessibleName(QStringLiteral("Search results again"));
    setModal(true);
    resize(900, 420);
    lstView_->setObjectName(QStringLiteral("lstView"));
    lstView_->setAccessibleName(QStringLiteral("Rule sets"));
    lstView_->setToolTip(QStringLiteral("Choose the global rules or the field rules of one type"));
    lstView_->setMaximumWidth(220);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lstView_);
    layout->addWidget(conView_, 1);

    connect(lstView_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        conView_->NewSelection(lstView_->item(row)->data(Qt::UserRole).toInt());
        // A type whose unsaved rules were kept or dropped may have sent the console
        // back to the global rules; the list follows the console.
        if (conView_->Selection() == 0 && row != 0) {
            QSignalBlocker quiet(lstView_);
            lstView_->setCurrentRow(0);
        }
    });
    connect(conView_, &ReSearchConsole::Search, this, [this] {
        hide();
        emit Search();
    });
    connect(conView_, &ReSearchConsole::Reset, this, [this] {
        hide();
        emit Reset();
    });
}

void frmReSearch::SetSearchObject(quarrion::SearchObject2& search) {
    conView_->SetSearchObject(search);
    setWindowTitle(QString::fromStdString(conView_->SearchObject().Caption()) +
                   QStringLiteral(" [Search Rule Sets]"));
    QSignalBlocker quiet(lstView_);
    lstView_->clear();
    auto* global = new QListWidgetItem(QString::fromLatin1(GlobalEntry), lstView_);
    global->setData(Qt::UserRole, 0);
    for (IncItem& item : conView_->SearchObject().IncludeItems) {
        auto type = static_cast<std::int32_t>(item.RequestType());
        auto* entry =
            new QListWidgetItem(QString::fromStdString(RequestTypeInfo::TypeTitle(type)), lstView_);
        entry->setData(Qt::UserRole, type);
    }
    lstView_->setCurrentRow(0);
}

quarrion::SearchObject2& frmReSearch::SearchObject() {
    return conView_->SearchObject();
}

void frmReSearch::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        RestorePlacement();
    }
    QDialog::showEvent(event);
}

void frmReSearch::hideEvent(QHideEvent* event) {
    SavePlacement();
    QDialog::hideEvent(event);
}

void frmReSearch::RestorePlacement() {
    const QString section = QString::fromLatin1(Section);
    const int windowState = AppSettings::Number(section, QStringLiteral("windowstate"), 0);
    if (windowState != 0) {
        setWindowState(static_cast<Qt::WindowStates>(windowState));
        return;
    }
    const int top = AppSettings::Number(section, QStringLiteral("top"), 0);
    const int left = AppSettings::Number(section, QStringLiteral("left"), 0);
    const int width = AppSettings::Number(section, QStringLiteral("width"), 0);
    const int height = AppSettings::Number(section, QStringLiteral("height"), 0);
    if (width <= 0 || height <= 0) return;
    resize(width, height);
    move(left, top);
}

void frmReSearch::SavePlacement() const {
    const QString section = QString::fromLatin1(Section);
    const int windowState =
        static_cast<int>(this->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    AppSettings::SetNumber(section, QStringLiteral("windowstate"), windowState);
    AppSettings::SetNumber(section, QStringLiteral("top"), y());
    AppSettings::SetNumber(section, QStringLiteral("left"), x());
    AppSettings::SetNumber(section, QStringLiteral("width"), width());
    AppSettings::SetNumber(section, QStringLiteral("height"), height());
}

}  // namespace quarrion
