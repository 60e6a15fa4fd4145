#include "console/search_console_control.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPair>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <chrono>
#include <memory>

#include "catalog/qbxml_tags.h"
#include "console/control_names.h"
#include "console/criteria_control.h"
#include "console/criterion_control.h"
#include "console/date_control.h"
#include "console/field_criteria_control.h"
#include "console/frm_save_search.h"
#include "console/request_control.h"
#include "console/saved_searches.h"
#include "model/date_value.h"
#include "model/request_search_rule.h"
#include "qbxml/request_type_info.h"
#include "search/rule_text.h"
#include "search/search_builder.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/io_manager_store.h"

namespace quarrion {

namespace {

// Room between the dates, the rules and the rows of buttons.
constexpr int CentreSpacing = 4;

const QString kSection = QString::fromLatin1(SearchConsoleControl::Section);
const QString kNoResults =
    QStringLiteral("Results windows are not part of this build of Quarrion.");

QString IncludeKey(std::int32_t requestType) {
    return QStringLiteral("include_%1").arg(requestType);
}

// Field rules handed to the builder row by row, so a type's own rules and the rules for
// every type meet in one set of groups: the first rule of each later group opens it
// with OR, the others join with AND.
template <typename Add>
void ForEachFieldRow(const FieldExaminors& groups, Add add) {
    bool laterGroup = false;
    for (const FieldExaminor& group : groups) {
        bool first = true;
        for (const FieldCriterion& rule : group.FieldCriteria) {
            add(rule, first && laterGroup);
            first = false;
        }
        laterGroup = laterGroup || !first;
    }
}

SearchDate ToSearchDate(const QDate& date) {
    return SearchDate(std::chrono::year(date.year()) /
                      std::chrono::month(static_cast<unsigned>(date.month())) /
                      std::chrono::day(static_cast<unsigned>(date.day())));
}

QDate ToQDate(SearchDate date) {
    const std::chrono::year_month_day day(date);
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

// A remembered date: written as YYYY-MM-DD, which reads back the same in every locale;
// a date in the system's short form (as older settings hold it) is read too. Today when
// nothing readable is stored.
QDate RememberedDate(const QString& key) {
    const QString text = AppSettings::Text(kSection, key).trimmed();
    QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid()) date = QLocale::system().toDate(text, QLocale::ShortFormat);
    return date.isValid() ? date : QDate::currentDate();
}

// The range's ends as "daterange" remembers them: "" for fixed days (their days are
// "fromdate" and "todate"), the word alone for the same span at both ends (as every
// version has written it), else both words joined by ".." with "" for a fixed end
// ("last-month..today", "last-month.."). A program that knows only single spans reads
// the joined form as no span and starts on the remembered fixed days.
QString RangeSetting(const QString& fromText, const QString& toText) {
    if (fromText == toText) return fromText;
    return fromText + QString::fromLatin1(kDateRangeJoin.data(), kDateRangeJoin.size()) + toText;
}

QPair<QString, QString> RangeEndsOf(const QString& setting) {
    const QString join = QString::fromLatin1(kDateRangeJoin.data(), kDateRangeJoin.size());
    const qsizetype at = setting.indexOf(join);
    if (at < 0) return {setting, setting};
    return {setting.left(at), setting.mid(at + join.size())};
}

QPushButton* Button(QWidget* parent, const QString& text, const QString& name,
                    const QString& spoken, const QString& tip) {
    auto* button = new QPushButton(text, parent);
    NameControl(button, name, spoken, tip);
    return button;
}

}  // namespace

SearchConsoleControl::SearchConsoleControl(ConsoleHost& host, ResultsWindowOpener openResults,
                                           DisplayColumnsLauncher displayColumns, QWidget* parent)
    : QWidget(parent),
      host_(host),
      openResults_(std::move(openResults)),
      displayColumns_(std::move(displayColumns)),
      lstView_(new RequestControl(this)),
      datView_(new DateControl(this)),
      criView_(new CriteriaControl(this)),
      fldView_(new FieldCriteriaControl(this, &host.State().Catalog())),
      tvwView_(new SavedSearches(this)),
      lblCaption_(new QLabel(this)),
      rules_(new QWidget),
      cmdSearch_(Button(this, QStringLiteral("&Search"), QStringLiteral("cmdSearch"),
                        QStringLiteral("Search"),
                        QStringLiteral("Search the ticked types with these rules"))),
      cmdSave_(Button(this, QStringLiteral("S&ave"), QStringLiteral("cmdSave"),
                      QStringLiteral("Save"), QStringLiteral("Save these rules by name"))),
      cmdClear_(Button(this, QStringLiteral("C&lear"), QStringLiteral("cmdClear"),
                       QStringLiteral("Clear"),
                       QStringLiteral("Remove every tick and rule and start afresh"))),
      cmdMore_(Button(this, QStringLiteral("&More"), QStringLiteral("cmdMore"),
                      QStringLiteral("More rules"), QStringLiteral("Add a rule row"))),
      cmdLess_(Button(this, QStringLiteral("L&ess"), QStringLiteral("cmdLess"),
                      QStringLiteral("Fewer rules"), QStringLiteral("Remove the last rule row"))),
      cmdOK_(Button(this, QStringLiteral("Set"), QStringLiteral("cmdOK"),
                    QStringLiteral("Set field rules"),
                    QStringLiteral("Keep these field rules for the type (the type is ticked "
                                   "when they hold a rule) and return to the global rules"))),
      cmdCancel_(Button(this, QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"),
                        QStringLiteral("Cancel field rules"),
                        QStringLiteral("Return to the global rules without keeping changes"))),
      chkIgnoreAccents_(new QCheckBox(QStringLiteral("Ignore accents"), this)),
      chkFieldCase_(new QCheckBox(QStringLiteral("Match case in field rules"), this)),
      splitter_(new QSplitter(Qt::Horizontal, this)) {
    NameControl(chkIgnoreAccents_, QStringLiteral("chkIgnoreAccents"),
                QStringLiteral("Ignore accents"),
                QStringLiteral("Compare texts without their accents in every rule, so muller "
                               "finds M\u00fcller; saved with the search"));
    NameControl(chkFieldCase_, QStringLiteral("chkFieldCase"),
                QStringLiteral("Match case in field rules"),
                QStringLiteral("Ticked, field rules' starts with, ends with and whole word "
                               "match letter case; unticked, they ignore it like every other "
                               "rule. Saved with the search"));
    chkFieldCase_->setChecked(true);
    NameControl(this, QStringLiteral("conView"), QStringLiteral("Search console"),
                QStringLiteral("Compose, save and start a search"));
    NameControl(lstView_, QStringLiteral("lstView"), QStringLiteral("Transactions and lists"),
                lstView_->toolTip());
    NameControl(datView_, QStringLiteral("datView"), QStringLiteral("Date range"),
                datView_->toolTip());
    NameControl(criView_, QStringLiteral("criView"), QStringLiteral("Global search rules"),
                criView_->toolTip());
    NameControl(fldView_, QStringLiteral("fldView"), QStringLiteral("Field search rules"),
                fldView_->toolTip());
    criTip_ = criView_->toolTip();
    fldTip_ = fldView_->toolTip();
    UpdateRuleTips();
    NameControl(tvwView_, QStringLiteral("tvwSaved"), QStringLiteral("Saved searches"),
                tvwView_->toolTip());
    NameControl(lblCaption_, QStringLiteral("lblCaption"), QStringLiteral("Search name"),
                QStringLiteral("The search loaded or saved last"));
    NameControl(splitter_, QStringLiteral("splConsole"), QStringLiteral("Console sections"),
                QStringLiteral("Drag the handles to share the room between the sections"));
    criView_->SetCaption(QString::fromLatin1(CriteriaControl::DefaultCaption));
    fldView_->SetCaption(QString::fromLatin1(FieldCriteriaControl::DefaultCaption));
    fldView_->hide();
    cmdOK_->hide();
    cmdCancel_->hide();
    cmdSave_->setEnabled(false);
    cmdLess_->setEnabled(false);
    cmdSearch_->setDefault(false);
    if (!openResults_) {
        cmdSearch_->setEnabled(false);
        cmdSearch_->setToolTip(kNoResults);
    }
    QFont bold = lblCaption_->font();
    bold.setBold(true);
    lblCaption_->setFont(bold);

    // A type's own Set and Cancel take a row above the others: their captions carry the
    // type's title, too long to share one row in the console's starting width.
    auto* fieldButtons = new QHBoxLayout;
    fieldButtons->setSpacing(4);
    fieldButtons->addWidget(cmdOK_);
    fieldButtons->addWidget(cmdCancel_);
    fieldButtons->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (QPushButton* button : {cmdSearch_, cmdSave_, cmdClear_, cmdMore_, cmdLess_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    QWidget* centre = rules_;
    centre->setObjectName(QStringLiteral("rules"));
    auto* centreLayout = new QVBoxLayout(centre);
    centreLayout->setContentsMargins(2, 0, 2, 0);
    centreLayout->setSpacing(CentreSpacing);
    centreLayout->addWidget(datView_);
    auto* textOptions = new QHBoxLayout;
    textOptions->addWidget(chkIgnoreAccents_);
    textOptions->addWidget(chkFieldCase_);
    textOptions->addStretch(1);
    centreLayout->addLayout(textOptions);
    centreLayout->addWidget(criView_, 1);
    centreLayout->addWidget(fldView_, 1);
    centreLayout->addLayout(fieldButtons);
    centreLayout->addLayout(buttons);
    centreLayout->addWidget(lblCaption_);
    // In a short window the dates, rules and buttons scroll together rather than being
    // squeezed over one another.
    auto* centreScroll = new QScrollArea(splitter_);
    NameControl(centreScroll, QStringLiteral("scrRules"), QStringLiteral("Dates and rules"),
                QStringLiteral("The date range, the rules and the search buttons"));
    centreScroll->setFrameShape(QFrame::NoFrame);
    centreScroll->setWidgetResizable(true);
    centreScroll->setWidget(centre);
    splitter_->addWidget(lstView_);
    splitter_->addWidget(centreScroll);
    splitter_->addWidget(tvwView_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 4);
    splitter_->setStretchFactor(2, 1);
    splitter_->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(splitter_);
    // Below this the lists and saved searches grow too short to use; the rules scroll.
    setMinimumHeight(300);
    splitter_->setSizes({200, 640, 220});

    if (displayColumns_) {
        lstView_->SetColumnsLauncher([this](std::int32_t requestType, DisplayColumns& columns) {
            return displayColumns_(host_, requestType, columns, this);
        });
    }

    connect(cmdSearch_, &QPushButton::clicked, this, &SearchConsoleControl::Search);
    connect(cmdSave_, &QPushButton::clicked, this, &SearchConsoleControl::Save);
    connect(cmdClear_, &QPushButton::clicked, this, &SearchConsoleControl::Clear);
    connect(cmdMore_, &QPushButton::clicked, this, &SearchConsoleControl::More);
    connect(cmdLess_, &QPushButton::clicked, this, &SearchConsoleControl::Less);
    connect(cmdOK_, &QPushButton::clicked, this, &SearchConsoleControl::SetFieldRules);
    connect(cmdCancel_, &QPushButton::clicked, this, &SearchConsoleControl::CancelFieldRules);

    connect(lstView_, &RequestControl::TicksChanged, this, &SearchConsoleControl::UpdateSave);
    connect(lstView_, &RequestControl::RefineSearchChosen, this,
            &SearchConsoleControl::RefineSearch);
    connect(lstView_, &RequestControl::RefineEveryTypeChosen, this,
            [this] { RefineSearch(FieldCriteriaControl::EveryIncludedType); });
    connect(lstView_, &RequestControl::SearchCleared, this, [this] {
        if (FieldMode()) CancelFieldRules();
        rulesChanged_ = true;
        UpdateSave();
    });
    connect(lstView_, &RequestControl::DisplayColumnsChanged, this, [this] {
        if (FieldMode()) return;
        rulesChanged_ = true;
        UpdateSave();
    });
    connect(chkFieldCase_, &QCheckBox::toggled, this, &SearchConsoleControl::UpdateRuleTips);
    connect(criView_, &CriteriaControl::Edited, this, &SearchConsoleControl::UpdateSave);
    connect(criView_, &CriteriaControl::RowsChanged, this, &SearchConsoleControl::UpdateLess);
    connect(criView_, &CriteriaControl::SearchRequested, this, &SearchConsoleControl::Search);
    connect(fldView_, &FieldCriteriaControl::RowsChanged, this, &SearchConsoleControl::UpdateLess);
    connect(fldView_, &FieldCriteriaControl::SearchRequested, this,
            &SearchConsoleControl::SetFieldRules);
    connect(tvwView_, &SavedSearches::UseThis, this, &SearchConsoleControl::UseSavedSearch);
    connect(tvwView_, &SavedSearches::ExecuteThis, this, &SearchConsoleControl::ExecuteSavedSearch);
    connect(splitter_, &QSplitter::splitterMoved, this, &SearchConsoleControl::SaveSplitter);
}

SearchConsoleControl::~SearchConsoleControl() {
    if (auto* store = dynamic_cast<IOManagerStore*>(&host_.State().Store())) {
        store->SetErrorOccurredHandler({});
    }
}

QSize SearchConsoleControl::sizeHint() const {
    QSize hint = QWidget::sizeHint();
    // Room for either mode: the taller rule view, and the Set and Cancel row that shows
    // only while a type's rules are open.
    const QWidget* shownView = fldView_->isHidden() ? static_cast<QWidget*>(criView_) : fldView_;
    const int views =
        std::max(criView_->minimumSizeHint().height(), fldView_->minimumSizeHint().height());
    const int fieldButtons = cmdOK_->isHidden() ? cmdOK_->sizeHint().height() + CentreSpacing : 0;
    const QMargins margins = layout()->contentsMargins();
    const int whole = rules_->minimumSizeHint().height() - shownView->minimumSizeHint().height() +
                      views + fieldButtons + margins.top() + margins.bottom();
    hint.setHeight(std::max(hint.height(), whole));
    return hint;
}

void SearchConsoleControl::InitControl() {
    const QBXMLTags& catalog = host_.State().Catalog();
    lstView_->Fill(catalog, [](std::int32_t code) {
        // The types ticked when nothing is remembered.
        const bool ticked = code == RequestTypeCode::Customer || code == RequestTypeCode::Invoice ||
                            code == RequestTypeCode::Vendor;
        return AppSettings::Flag(kSection, IncludeKey(code), ticked);
    });
    fldView_->SetCatalog(&catalog);
    datView_->SetFromDate(RememberedDate(QStringLiteral("fromdate")));
    datView_->SetToDate(RememberedDate(QStringLiteral("todate")));
    datView_->SetDateFilterType(AppSettings::Number(kSection, QStringLiteral("datefilter"),
                                                    DateFilterCode::TransactionDate));
    // The ends the last search used, words again where it had them; anything unreadable
    // (a word a newer program knows) leaves the remembered fixed days.
    const auto [fromText, toText] =
        RangeEndsOf(AppSettings::Text(kSection, QStringLiteral("daterange")));
    datView_->SetRangeEnds(fromText, toText);
    // The text boxes as the last search used them; a new console matches case.
    chkIgnoreAccents_->setChecked(
        AppSettings::Flag(kSection, QStringLiteral("ignoreaccents"), false));
    chkFieldCase_->setChecked(AppSettings::Flag(kSection, QStringLiteral("fieldcase"), true));
    if (auto* store = dynamic_cast<IOManagerStore*>(&host_.State().Store())) {
        store->SetErrorOccurredHandler([this](long number, const std::string& description,
                                              const std::string& source,
                                              const std::string& operation) {
            tvwView_->ShowStoreError(number, description, source, operation);
        });
    }
    tvwView_->SetIOManager(host_.State().Manager());
    RestoreSplitter();
    UpdateLess();
    UpdateSave();
}

bool SearchConsoleControl::BuildSearch() {
    buildError_.clear();
    if (lstView_->SelectCount() == 0) {
        buildError_ = QString::fromLatin1(kNoTypeMessage);
        return false;
    }
    SearchBuilder builder(host_.State().Catalog());
    for (int row = 1; row <= criView_->RowCount(); ++row) {
        auto rule = std::make_unique<Criterion>();
        rule->Copy(criView_->Criterion(row)->Criterion(), CopyDirection::FromTarget);
        builder.AddRule(std::move(rule));
    }

    const QDate from = datView_->FromDate();
    const QDate to = datView_->ToDate();
    const long filter = datView_->DateFilterType();
    builder.SetDates(ToSearchDate(from), ToSearchDate(to), filter);
    // Each end given as a span keeps its word, as the terminal tool keeps --from and --to,
    // so a saved search covers the span of the day it runs.
    const QString fromText = datView_->FromText();
    const QString toText = datView_->ToText();
    builder.SetRelativeDates(fromText.toStdString(), toText.toStdString());
    QList<QPair<QString, QString>> remembered{
        {QStringLiteral("fromdate"), from.toString(Qt::ISODate)},
        {QStringLiteral("todate"), to.toString(Qt::ISODate)},
        {QStringLiteral("daterange"), RangeSetting(fromText, toText)},
        {QStringLiteral("datefilter"), QString::number(filter)},
        {QStringLiteral("ignoreaccents"), AppSettings::FlagText(chkIgnoreAccents_->isChecked())},
        {QStringLiteral("fieldcase"), AppSettings::FlagText(chkFieldCase_->isChecked())}};

    for (int row = 0; row < lstView_->Count(); ++row) {
        const std::int32_t code = lstView_->TypeAt(row);
        const bool ticked = lstView_->IsTicked(code);
        remembered.append({IncludeKey(code), AppSettings::FlagText(ticked)});
        if (!ticked) continue;
        builder.IncludeType(code);
        RequestSearchRule& standing = builder.Standing(code);
        RequestSearchRule* rule = lstView_->Rule(code);
        // The preferences wizard may have changed the type's columns since the list
        // was filled; a new search shows them.
        rule->RefreshDefaults(&host_.State().Catalog());
        rule->DisplayColumns.Copy(standing.DisplayColumns, CopyDirection::IntoTarget);
        ForEachFieldRow(rule->FieldExaminors, [&](const FieldCriterion& each, bool opensGroup) {
            auto row = std::make_unique<FieldCriterion>();
            row->Copy(const_cast<FieldCriterion&>(each), CopyDirection::FromTarget);
            row->AndOr = opensGroup ? "OR" : "AND";
            builder.AddFieldRule(code, std::move(row));
        });
    }
    // The builder spreads a rule for every type over the included types that have its
    // field, exactly as it does for the terminal tool's "*" rules.
    std::string error;
    ForEachFieldRow(everyType_.FieldExaminors, [&](const FieldCriterion& rule, bool opensGroup) {
        if (error.empty())
            error = builder.AddFieldRule("*: " + FieldCriterionText(rule, opensGroup));
    });
    if (!error.empty()) {
        buildError_ = QStringLiteral("A rule for every included type cannot be used: ") +
                      QString::fromStdString(error);
        return false;
    }
    AppSettings::SetTexts(kSection, remembered);
    builder.SetTextOptions(ChosenTextOptions());
    return static_cast<bool>(builder.Build(search_));
}

void SearchConsoleControl::Search() {
    // Covers Enter in the last rule as well: field mode and a build without results
    // windows search nothing.
    if (!cmdSearch_->isEnabled()) return;
    if (!BuildSearch()) {
        MessageDialog(this, QStringLiteral("Invalid Search"), buildError_);
        return;
    }
    openResults_(host_, search_);
    host_.ResultsWindowOpened();
    emit Notification();
    Clear();
}

void SearchConsoleControl::Save() {
    if (!BuildSearch()) {
        MessageDialog(this, QStringLiteral("Invalid Search"), buildError_);
        return;
    }
    frmSaveSearch dialog(this);
    dialog.SetMessage(QString::fromLatin1(SaveMessage));
    dialog.SetSearchName(QString::fromStdString(search_.Name));
    dialog.SetDescription(QString::fromStdString(search_.Description));
    dialog.exec();
    if (dialog.ButtonPressed() != frmSaveSearch::SavePressed) return;
    IOManager* io = host_.State().Manager();
    if (!io) return;
    // The store keeps the search only when the whole of it is written; the console's
    // copy takes the new name and id only then.
    const std::string name = dialog.SearchName().trimmed().toStdString();
    const std::string oldName = search_.Name;
    const std::string oldDescription = search_.Description;
    search_.Name = name;
    search_.Description = dialog.Description().toStdString();
    long savedId = 0;
    if (!io->SaveSearchObject(&search_, &savedId)) {
        search_.Name = oldName;
        search_.Description = oldDescription;
        return;
    }
    search_.ID = savedId;
    tvwView_->Refresh();
    lblCaption_->setText(QString::fromStdString(name));
}

void SearchConsoleControl::Clear() {
    if (FieldMode()) LeaveFieldMode();
    lstView_->Clear();
    everyType_.FieldExaminors.Clear();
    ShowEveryTypeNote();
    search_.Clear();
    fldView_->Clear();
    criView_->Clear();
    lblCaption_->clear();
    rulesChanged_ = false;
    cmdSave_->setEnabled(false);
    UpdateLess();
}

void SearchConsoleControl::More() {
    if (FieldMode()) {
        fldView_->More();
    } else {
        criView_->More();
    }
}

void SearchConsoleControl::Less() {
    if (FieldMode()) {
        fldView_->Less();
    } else {
        criView_->Less();
    }
}

void SearchConsoleControl::UpdateLess() {
    const CriteriaPanel* showing =
        FieldMode() ? static_cast<CriteriaPanel*>(fldView_) : static_cast<CriteriaPanel*>(criView_);
    cmdLess_->setEnabled(showing->RowCount() > 1);
}

void SearchConsoleControl::UpdateSave() {
    cmdSave_->setEnabled(lstView_->Changed() || criView_->Changed() || rulesChanged_);
}

void SearchConsoleControl::RefineSearch(std::int32_t requestType) {
    const bool everyType = requestType == FieldCriteriaControl::EveryIncludedType;
    RequestSearchRule* rule = everyType ? &everyType_ : lstView_->Rule(requestType);
    if (!rule) return;
    if (rule == current_) {
        fldView_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (current_ && fldView_->ContainsData() && fldView_->Changed()) {
        const QString question = QStringLiteral("Do you want to keep the ") + fldView_->Title() +
                                 QStringLiteral(
                                     "?\nClick OK to keep them, or CANCEL to discard "
                                     "them.");
        if (QuestionDialog(this, QStringLiteral("Search Rule Set"), question,
                           QStringLiteral("Cancel"),
                           QStringLiteral("OK")) == frmDialog::OkPressed) {
            fldView_->ReadFieldExaminors(current_->FieldExaminors);
            lstView_->SetTicked(current_->Name, true);
            rulesChanged_ = true;
        }
    }
    current_ = rule;
    if (everyType) fldView_->SetIncludedTypes(lstView_->TickedTypes());
    fldView_->LoadFieldExaminors(requestType, rule->FieldExaminors);
    criView_->hide();
    fldView_->show();
    cmdClear_->setEnabled(false);
    cmdClear_->hide();
    cmdSearch_->setEnabled(false);
    cmdOK_->setText(QStringLiteral("Set ") + fldView_->Title());
    cmdOK_->setAccessibleName(cmdOK_->text());
    cmdOK_->show();
    cmdCancel_->show();
    UpdateLess();
    UpdateSave();
}

void SearchConsoleControl::SetFieldRules() {
    if (!current_) return;
    if (fldView_->ContainsData()) {
        fldView_->ReadFieldExaminors(current_->FieldExaminors);
        lstView_->SetTicked(current_->Name, true);
    } else {
        current_->FieldExaminors.Clear();
    }
    if (fldView_->Changed()) rulesChanged_ = true;
    LeaveFieldMode();
    UpdateSave();
}

void SearchConsoleControl::CancelFieldRules() {
    if (!current_) return;
    LeaveFieldMode();
    host_.ResultsWindowOpened();
    emit Notification();
}

void SearchConsoleControl::LeaveFieldMode() {
    current_ = nullptr;
    ShowGlobalMode();
}

void SearchConsoleControl::ShowEveryTypeNote() {
    QString caption = QString::fromLatin1(CriteriaControl::DefaultCaption);
    if (everyType_.FieldExaminors.ContainsData()) caption += QLatin1String(EveryTypeNote);
    criView_->SetCaption(caption);
}

void SearchConsoleControl::ShowGlobalMode() {
    ShowEveryTypeNote();
    fldView_->hide();
    cmdOK_->hide();
    cmdCancel_->hide();
    criView_->show();
    cmdClear_->show();
    cmdClear_->setEnabled(true);
    cmdSearch_->setEnabled(static_cast<bool>(openResults_));
    UpdateLess();
}

void SearchConsoleControl::UseSavedSearch() {
    SearchObject2* chosen = tvwView_->SearchObject();
    if (!chosen) return;
    Clear();
    search_.Copy(*chosen, CopyDirection::FromTarget);
    LoadSearch(search_);
}

void SearchConsoleControl::ExecuteSavedSearch() {
    if (!tvwView_->SearchObject()) return;
    UseSavedSearch();
    Search();
}

TextOptions SearchConsoleControl::ChosenTextOptions() const {
    TextOptions options;
    options.IgnoreAccents = chkIgnoreAccents_->isChecked();
    options.FieldRuleCase =
        chkFieldCase_->isChecked() ? LetterCase::ExactCase : LetterCase::IgnoreCase;
    return options;
}

void SearchConsoleControl::UpdateRuleTips() {
    criView_->setToolTip(criTip_ + QStringLiteral("; text rules ignore letter case"));
    fldView_->setToolTip(fldTip_ + (chkFieldCase_->isChecked()
                                        ? QStringLiteral("; starts with, ends with and whole "
                                                         "word match letter case (contains, "
                                                         "equals and in ignore it)")
                                        : QStringLiteral("; text rules ignore letter case")));
}

void SearchConsoleControl::LoadSearch(SearchObject2& saved) {
    lblCaption_->setText(QString::fromStdString(saved.Name));
    chkIgnoreAccents_->setChecked(saved.TextOptions.IgnoreAccents);
    chkFieldCase_->setChecked(saved.TextOptions.FieldRuleCase == LetterCase::ExactCase);
    // A range saved as relative values shows the span as of today.
    saved.ResolveRelativeDates(DateRulesToday());
    // A search saved without dates (the terminal tool allows that) keeps today's.
    datView_->SetRangeEnds(QString(), QString());
    if (saved.FromDate != ZeroDate) datView_->SetFromDate(ToQDate(saved.FromDate));
    if (saved.ToDate != ZeroDate) datView_->SetToDate(ToQDate(saved.ToDate));
    // Each end as it was saved: a span at both ends, or the ends' own entry when they
    // differ (the terminal tool's --from last-month --to today). A word this program
    // cannot read leaves the days it stood for when saved.
    datView_->SetRangeEnds(QString::fromStdString(saved.FromText),
                           QString::fromStdString(saved.ToText));
    datView_->SetDateFilterType(saved.DateFilter);
    lstView_->Clear();
    for (IncItem& item : saved.IncludeItems) {
        const auto code = static_cast<std::int32_t>(item.RequestType());
        RequestSearchRule* rule = lstView_->Rule(code);
        if (!rule) continue;
        lstView_->SetTicked(rule->Name, true);
        if (item.DisplayColumns.Count() > 0) {
            item.DisplayColumns.Copy(rule->DisplayColumns, CopyDirection::IntoTarget);
        } else {
            rule->DefaultColumns.Copy(rule->DisplayColumns, CopyDirection::IntoTarget);
        }
        if (item.FieldExaminors.ContainsData())
            item.FieldExaminors.Copy(rule->FieldExaminors, CopyDirection::IntoTarget);
    }
    criView_->LoadExaminors(saved.Examinors);
    lstView_->SetChanged(false);
    // A loaded search may be saved again at once (under another name, say).
    rulesChanged_ = true;
    UpdateLess();
    UpdateSave();
}

void SearchConsoleControl::SaveSplitter() {
    QStringList sizes;
    for (int size : splitter_->sizes()) sizes << QString::number(size);
    AppSettings::SetText(kSection, QStringLiteral("splitter"), sizes.join(QLatin1Char(',')));
}

void SearchConsoleControl::RestoreSplitter() {
    const QStringList parts =
        AppSettings::Text(kSection, QStringLiteral("splitter")).split(QLatin1Char(','));
    if (parts.size() != splitter_->count()) return;
    QList<int> sizes;
    for (const QString& part : parts) {
        bool ok = false;
        const int size = part.toInt(&ok);
        if (!ok || size < 0) return;
        sizes << size;
    }
    splitter_->setSizes(sizes);
}

}  // namespace quarrion
