#include "console/saved_searches.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "console/control_names.h"
#include "model/search_object2.h"
#include "qbxml/request_type_info.h"
#include "shell/frm_dialog.h"
#include "store/io_manager.h"

namespace quarrion {

namespace {

bool IsBlank(const std::string& text) {
    return QString::fromStdString(text).trimmed().isEmpty();
}

}  // namespace

SavedSearches::SavedSearches(QWidget* parent)
    : QWidget(parent),
      lblHdr_(new QLabel(QString::fromLatin1(DefaultCaption), this)),
      tvwView_(new QTreeView(this)),
      model_(new QStandardItemModel(this)),
      EditMenu_(new QMenu(this)) {
    NameControl(this, QStringLiteral("SavedSearches"), QStringLiteral("Saved searches"),
                QStringLiteral("Searches saved by name: click one to use it, right-click for "
                               "more"));
    NameControl(lblHdr_, QStringLiteral("lblHdr"), QString::fromLatin1(DefaultCaption),
                QStringLiteral("The saved searches"));
    NameControl(tvwView_, QStringLiteral("tvwView"), QStringLiteral("Saved search rule sets"),
                QStringLiteral("Click a search to use it; right-click (or the menu key) to run "
                               "or delete it; Enter uses it, Delete deletes it"));
    NameControl(EditMenu_, QStringLiteral("EditMenu"), QStringLiteral("Saved search menu"),
                QStringLiteral("Commands for the chosen search"));
    // The header's look: centred, a single border, white-ish text on grey.
    lblHdr_->setAlignment(Qt::AlignCenter);
    lblHdr_->setFrameShape(QFrame::Box);
    lblHdr_->setAutoFillBackground(true);
    QPalette colours = lblHdr_->palette();
    colours.setColor(QPalette::Window, QColor(0x69, 0x69, 0x69));
    colours.setColor(QPalette::WindowText, QColor(0xfa, 0xfe, 0xf5));
    lblHdr_->setPalette(colours);
    QFont bold = lblHdr_->font();
    bold.setBold(true);
    lblHdr_->setFont(bold);

    tvwView_->setModel(model_);
    tvwView_->setHeaderHidden(true);
    tvwView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvwView_->setContextMenuPolicy(Qt::PreventContextMenu);
    tvwView_->viewport()->installEventFilter(this);
    tvwView_->installEventFilter(this);

    const QStringList items = {QStringLiteral("Use this Search Rule Set"),
                               QStringLiteral("Execute this Search Rule Set"), QStringLiteral("-"),
                               QStringLiteral("Delete this Search Rule")};
    const QStringList names = {QStringLiteral("mnuEditUse"), QStringLiteral("mnuEditExecute"),
                               QStringLiteral("mnuEditSeparator"), QStringLiteral("mnuEditDelete")};
    for (int i = 0; i < items.size(); ++i) {
        QAction* item = items[i] == QLatin1String("-") ? EditMenu_->addSeparator()
                                                       : EditMenu_->addAction(items[i]);
        item->setObjectName(names[i]);
        mnuEdit_.append(item);
    }
    connect(mnuEdit_[0], &QAction::triggered, this, [this] {
        if (selected_) emit UseThis();
    });
    connect(mnuEdit_[1], &QAction::triggered, this, [this] {
        if (selected_) emit ExecuteThis();
    });
    connect(mnuEdit_[3], &QAction::triggered, this, &SavedSearches::DeleteSelected);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(lblHdr_);
    layout->addWidget(tvwView_, 1);
}

SavedSearches::~SavedSearches() = default;

QAction* SavedSearches::mnuEdit(int index) const {
    return index >= 1 && index <= mnuEdit_.size() ? mnuEdit_[index - 1] : nullptr;
}

void SavedSearches::SetCaption(const QString& caption) {
    lblHdr_->setText(caption);
    lblHdr_->setAccessibleName(caption);
}

QString SavedSearches::Caption() const {
    return lblHdr_->text();
}

void SavedSearches::SetIOManager(IOManager* io) {
    io_ = io;
    Refresh();
}

void SavedSearches::Refresh() {
    if (!io_) return;
    selected_ = nullptr;
    model_->clear();
    searches_ = io_->SearchObjects();
    if (!searches_) return;
    QStyle* style = QApplication::style();
    const QIcon searchIcon = style->standardIcon(QStyle::SP_FileDialogContentsView);
    const QIcon descriptionIcon = style->standardIcon(QStyle::SP_FileDialogInfoView);
    const QIcon documentIcon = style->standardIcon(QStyle::SP_FileIcon);
    for (const SearchObject2& search : *searches_) {
        const QString name = QString::fromStdString(search.Name);
        auto* root = new QStandardItem(searchIcon, name);
        root->setData(name, KeyRole);
        root->setToolTip(
            QStringLiteral("Click to use %1; right-click to run or delete it").arg(name));
        root->setAccessibleText(name);
        if (!IsBlank(search.Description)) {
            auto* description =
                new QStandardItem(descriptionIcon, QString::fromStdString(search.Description));
            description->setToolTip(description->text());
            root->appendRow(description);
        }
        for (const IncItem& item : search.IncludeItems) {
            const auto title = QString::fromStdString(
                RequestTypeInfo::TypeTitle(static_cast<std::int32_t>(item.RequestType())));
            auto* type = new QStandardItem(documentIcon, title);
            type->setToolTip(title);
            root->appendRow(type);
        }
        model_->appendRow(root);
    }
}

SearchObject2* SavedSearches::SearchAt(const QModelIndex& index) const {
    if (!index.isValid() || !searches_) return nullptr;
    const QVariant key = index.data(KeyRole);
    if (!key.isValid()) return nullptr;
    return searches_->Item(key.toString().toStdString());
}

bool SavedSearches::Select(const std::string& name) {
    if (!searches_) return false;
    selected_ = searches_->Item(name);
    return selected_ != nullptr;
}

void SavedSearches::Pick(const QPoint& at, Qt::MouseButton button) {
    const QModelIndex index = tvwView_->indexAt(at);
    if (!index.isValid()) return;
    // Child lines have no key: they choose nothing.
    selected_ = SearchAt(index);
    if (!selected_) return;
    if (button == Qt::LeftButton) {
        emit UseThis();
    } else if (button == Qt::RightButton) {
        EditMenu_->popup(tvwView_->viewport()->mapToGlobal(at));
    }
}

void SavedSearches::DeleteSelected() {
    if (!selected_ || !io_) return;
    const QString message = QStringLiteral("Are you sure you want to delete \"") +
                            QString::fromStdString(selected_->Name) +
                            QStringLiteral(
                                "\". Click OK to confirm the delete, or CANCEL to stop "
                                "the delete.");
    const std::int16_t pressed =
        QuestionDialog(this, QStringLiteral("Delete Search Rules"), message,
                       QStringLiteral("Cancel"), QStringLiteral("OK"));
    if (pressed != frmDialog::OkPressed) return;
    if (io_->DeleteSearchObject(*selected_)) Refresh();
}

void SavedSearches::ShowStoreError(long number, const std::string& description,
                                   const std::string& source, const std::string& operation) {
    MessageDialog(this, QString::fromStdString(operation),
                  QStringLiteral("(%1) ").arg(number) + QString::fromStdString(source) +
                      QLatin1Char('\n') + QString::fromStdString(description));
}

bool SavedSearches::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tvwView_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            downButton_ = mouse->button();
            downShift_ = mouse->modifiers();
            downAt_ = mouse->position().toPoint();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            const bool click = mouse->button() == downButton_ && mouse->modifiers() == downShift_ &&
                               qAbs(at.x() - downAt_.x()) <= ClickSlack &&
                               qAbs(at.y() - downAt_.y()) <= ClickSlack;
            downButton_ = Qt::NoButton;
            if (click) Pick(at, mouse->button());
        }
    } else if (watched == tvwView_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        SearchObject2* current = SearchAt(tvwView_->currentIndex());
        const bool menuKey = key->key() == Qt::Key_Menu ||
                             (key->key() == Qt::Key_F10 && key->modifiers() & Qt::ShiftModifier);
        if (current && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            selected_ = current;
            emit UseThis();
            return true;
        }
        if (current && key->key() == Qt::Key_Delete) {
            selected_ = current;
            DeleteSelected();
            return true;
        }
        if (current && menuKey) {
            selected_ = current;
            EditMenu_->popup(tvwView_->viewport()->mapToGlobal(
                tvwView_->visualRect(tvwView_->currentIndex()).center()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quarrion
