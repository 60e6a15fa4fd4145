#include "shell/busy_pane.h"

#include <QLabel>

#include "shell/artwork.h"

namespace quarrion {

namespace {

constexpr int FrameSize = 48;

QString KeyOf(int frame) {
    return QStringLiteral("bb_%1").arg(frame, 2, 10, QLatin1Char('0'));
}

}  // namespace

BusyPane::BusyPane(QWidget* parent)
    : QWidget(parent), picture_(new QLabel(this)), caption_(new QLabel(this)) {
    setObjectName(QStringLiteral("BusyPane"));
    for (int frame = 0; frame < Artwork::BusyFrameCount; ++frame) {
        frames_.insert(KeyOf(frame), Artwork::BusyFrame(frame, FrameSize));
    }
    picture_->setFixedSize(FrameSize, FrameSize);
    caption_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    caption_->setWordWrap(true);
    ShowFrame();
}

QString BusyPane::Caption() const {
    return caption_->text();
}

void BusyPane::SetCaption(const QString& caption) {
    caption_->setText(caption);
    // While the owner slides the pane, the picture and caption stay where they are.
    if (!scrolling_) Place();
}

void BusyPane::Tick() {
    frame_ = static_cast<std::int16_t>(frame_ >= Artwork::BusyFrameCount - 1 ? 0 : frame_ + 1);
    ShowFrame();
    picture_->repaint();
}

QString BusyPane::FrameKey() const {
    return KeyOf(frame_);
}

QPixmap BusyPane::Picture() const {
    return picture_->pixmap();
}

void BusyPane::ShowFrame() {
    picture_->setPixmap(frames_.value(FrameKey()));
}

void BusyPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!scrolling_) Place();
}

void BusyPane::Place() {
    int left = (width() - picture_->width()) / 2;
    int top = (height() - picture_->height()) / 2;
    picture_->move(left, top);
    int captionHeight = caption_->heightForWidth(width());
    caption_->setGeometry(0, top + picture_->height() + 6, width(),
                          captionHeight > 0 ? captionHeight : caption_->sizeHint().height());
}

}  // namespace quarrion
