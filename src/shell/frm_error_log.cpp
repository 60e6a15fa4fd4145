#include "shell/frm_error_log.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QStringList>
#include <QTextStream>
#include <QTreeView>
#include <QVBoxLayout>

#include "shell/msg_interface.h"
#include "shell/shell_link.h"

namespace quarrion {

frmErrorLog::frmErrorLog(std::unique_ptr<ShellLink> link, std::int32_t windowId, MsgInterface& hub,
                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      link_(std::move(link)),
      hub_(hub),
      lblInfo_(new QLabel(this)),
      model_(new QStandardItemModel(this)),
      view_(new QTreeView(this)) {
    setObjectName(QStringLiteral("frmErrorLog"));
    setWindowTitle(QStringLiteral("Error Log"));
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setAlignment(Qt::AlignCenter);
    view_->setObjectName(QStringLiteral("lstView"));
    view_->setModel(model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAlternatingRowColors(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo_);
    layout->addWidget(view_, 1);
    resize(760, 380);

    if (link_) {
        link_->SetId(windowId);
        link_->SetLogViewer(true);
        link_->OnActivity = [this] { Display(); };
        link_->OnPopUp = [this](std::int32_t code, const std::string& message) {
            hub_.ShowPopUp(code, QString::fromStdString(message));
        };
    }
    lblInfo_->setText(QString::fromLatin1(NoErrorsText));
    Display();
}

frmErrorLog::~frmErrorLog() {
    // The link may report after the window's widgets are gone; stop it reaching them.
    if (link_) {
        link_->OnActivity = nullptr;
        link_->OnPopUp = nullptr;
    }
}

void frmErrorLog::Display() {
    QString path = link_ ? QString::fromStdString(link_->ErrorLogPath()) : QString();
    QFile file(path);
    model_->clear();
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        view_->hide();
        lblInfo_->show();
        return;
    }
    lblInfo_->hide();
    QTextStream in(&file);
    bool header = true;
    while (!in.atEnd()) {
        QString line = in.readLine();
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        QStringList fields = line.split(QLatin1Char('\t'));
        if (header) {
            model_->setColumnCount(static_cast<int>(fields.size()));
            model_->setHorizontalHeaderLabels(fields);
            header = false;
            continue;
        }
        if (line.isEmpty()) continue;
        QList<QStandardItem*> row;
        for (int column = 0; column < model_->columnCount(); ++column) {
            row.append(new QStandardItem(column < fields.size() ? fields[column] : QString()));
        }
        model_->appendRow(row);
    }
    view_->show();
    for (int column = 0; column + 1 < model_->columnCount(); ++column) {
        view_->resizeColumnToContents(column);
    }
}

}  // namespace quarrion
