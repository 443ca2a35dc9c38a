// The floor for the editor's start-up: a bare Qt Widgets program that shows
// one 266 x 490 picture and ends at its first paint. With --with-text it
// also draws one line of text, which makes Qt load its font database: what
// any window with a label pays and the bare picture does not.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdlib>

namespace {

class Picture : public QWidget {
 public:
  explicit Picture(bool withText) : image_(266, 490, QImage::Format_RGB32), withText_(withText) {
    image_.fill(Qt::black);
    resize(image_.size());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
    if (withText_) painter.drawText(10, 20, QStringLiteral("Twinscreen Skin Studio"));
    std::_Exit(0);
  }

 private:
  QImage image_;
  bool withText_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Picture picture(argc > 1 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--with-text"));
  picture.show();
  return app.exec();
}
