#pragma once

#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

class QLabel;

namespace quarrion {

// A progress indicator: a six-frame animated picture with a caption beneath. The
// owner calls Tick to advance one frame (a timer, or between units of long work).
class BusyPane : public QWidget {
    Q_OBJECT

  public:
    explicit BusyPane(QWidget* parent = nullptr);

    QString Caption() const;
    void SetCaption(const QString& caption);
    // While true, resizing leaves the picture and caption where the owner put them
    // (the owner is sliding the pane).
    bool Scrolling() const { return scrolling_; }
    void SetScrolling(bool scrolling) { scrolling_ = scrolling; }

    // Advances the frame counter (wrapping to 0 after 5) and shows the frame "bb_NN"
    // at once, so six ticks come back to the same picture.
    void Tick();

    std::int16_t Frame() const { return frame_; }
    // The key of the frame on show ("bb_00" ... "bb_05").
    QString FrameKey() const;
    // The picture on show.
    QPixmap Picture() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowFrame();
    void Place();

    std::int16_t frame_ = 0;
    bool scrolling_ = false;
    QHash<QString, QPixmap> frames_;
    QLabel* picture_;
    QLabel* caption_;
};

}  // namespace quarrion
