// The floor for the editor's start-up: a bare Qt Widgets program that shows
// one 266 x 490 picture and ends at its first paint.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdlib>

namespace {

class Picture : public QWidget {
 public:
  Picture() : image_(266, 490, QImage::Format_RGB32) {
    image_.fill(Qt::black);
    resize(image_.size());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).drawImage(0, 0, image_);
    std::_Exit(0);
  }

 private:
  QImage image_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Picture picture;
  picture.show();
  return app.exec();
}
