#include "shell/la_bar.h"

#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/artwork.h"

namespace quarrion {

namespace {

constexpr int IconSize = 28;

QFrame* Rule(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

laBar::laBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("laBar"));
    setAutoFillBackground(true);
    for (const char* key : {"excel", "export", "exportall", "help", "preferences", "show", "hide",
                            "cascade", "horizontal", "vertical", "research"}) {
        images_.insert(QString::fromLatin1(key), Artwork::Icon(QString::fromLatin1(key)));
    }

    // Registration order is part of the side bar's contract (Buttons().Item(n)).
    QToolButton* cascade = MakeButton("cmdCascade", "cascade", "Cascade", "Cascade windows");
    QToolButton* excel =
        MakeButton("cmdExcel", "excel", "Excel", "Open the search results in a workbook");
    QToolButton* exportOne =
        MakeButton("cmdExport", "export", "Export", "Export the displayed result list");
    QToolButton* exportAll =
        MakeButton("cmdExportAll", "exportall", "Export All", "Export all search result lists");
    QToolButton* help = MakeButton("cmdHelp", "help", "Help", "Open the Quarrion help");
    QToolButton* horizontal =
        MakeButton("cmdHorizontal", "horizontal", "Horizontal", "Tile windows horizontally");
    QToolButton* preferences = MakeButton("cmdPreferences", "preferences", "Columns",
                                          "Choose the columns shown in result lists");
    QToolButton* show = MakeButton("cmdShow", "hide", "Console", "Hide Search Console");
    QToolButton* vertical =
        MakeButton("cmdVertical", "vertical", "Vertical", "Tile windows vertically");
    QToolButton* research =
        MakeButton("cmdResearch", "research", "Search Again", "Search the results again");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 6, 4, 6);
    layout->setSpacing(2);
    for (QToolButton* button : {show, research, excel, exportOne, exportAll}) {
        layout->addWidget(button);
    }
    layout->addWidget(Rule(this));
    for (QToolButton* button : {cascade, horizontal, vertical}) layout->addWidget(button);
    layout->addWidget(Rule(this));
    for (QToolButton* button : {preferences, help}) layout->addWidget(button);
    layout->addStretch(1);

    connect(excel, &QToolButton::clicked, this, &laBar::ExcelClick);
    connect(exportOne, &QToolButton::clicked, this, &laBar::ExportClick);
    connect(exportAll, &QToolButton::clicked, this, &laBar::ExportAllClick);
    connect(help, &QToolButton::clicked, this, &laBar::HelpClick);
    connect(preferences, &QToolButton::clicked, this, &laBar::PreferencesClick);
    connect(show, &QToolButton::clicked, this, &laBar::ShowClicked);
    connect(cascade, &QToolButton::clicked, this, &laBar::CascadeClick);
    connect(horizontal, &QToolButton::clicked, this, &laBar::HorizontalClick);
    connect(vertical, &QToolButton::clicked, this, &laBar::VerticalClick);
    connect(research, &QToolButton::clicked, this, &laBar::ReSearchClick);
}

QToolButton* laBar::MakeButton(const QString& name, const QString& picture, const QString& text,
                               const QString& toolTip) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(images_.value(picture));
    button->setIconSize(QSize(IconSize, IconSize));
    button->setText(text);
    button->setToolTip(toolTip);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont small = button->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    button->setFont(small);
    buttons_.Add(button);
    return button;
}

void laBar::ShowClicked() {
    ButtonRef* toggle = buttons_.Item(QStringLiteral("cmdshow"));
    toggle->Clicked();
    if (toggle->State()) {
        toggle->SetPicture(images_.value(QStringLiteral("show")));
        toggle->SetToolTipText(QStringLiteral("Show Search Console"));
        emit HideConsole();
    } else {
        toggle->SetPicture(images_.value(QStringLiteral("hide")));
        toggle->SetToolTipText(QStringLiteral("Hide Search Console"));
        emit ShowConsole();
    }
}

void laBar::SetConsoleShown(bool shown) {
    ButtonRef* toggle = buttons_.Item(QStringLiteral("cmdshow"));
    toggle->SetState(!shown);
    toggle->SetPicture(images_.value(shown ? QStringLiteral("hide") : QStringLiteral("show")));
    toggle->SetToolTipText(shown ? QStringLiteral("Hide Search Console")
                                 : QStringLiteral("Show Search Console"));
}

QColor laBar::BackColor() const {
    return palette().color(QPalette::Window);
}

void laBar::SetBackColor(const QColor& colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
}

}  // namespace quarrion
