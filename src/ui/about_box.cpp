#include "ui/about_box.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "app/product_info.h"
#include "i18n/interface_texts.h"
#include "skin/builtin_pictures.h"
#include "ui/image_conversion.h"
#include "ui/qt_text.h"

namespace {

// The banner answers a single left press. The second press of a double
// click arrives as a double-click event, which QWidget would pass on as one
// more press.
class BannerLabel : public QLabel {
 public:
  BannerLabel(QWidget* parent, std::function<void()> pressed)
      : QLabel(parent), pressed_(std::move(pressed)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_();
    QLabel::mousePressEvent(event);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->ignore(); }

 private:
  std::function<void()> pressed_;
};

// Link text: every click opens it, and from the keyboard Enter or Space.
class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& text, QWidget* parent, std::function<void()> activated)
      : QLabel(text, parent), activated_(std::move(activated)) {
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      activated_();
    QLabel::mouseReleaseEvent(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      activated_();
      return;
    }
    QLabel::keyPressEvent(event);
  }

 private:
  std::function<void()> activated_;
};

}  // namespace

AboutBox::AboutBox(QWidget* owner, const InterfaceTexts& texts)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
  setModal(true);
  setWindowTitle(toQString(texts.text("LANG_ABOUT_ABOUT$")));
  setFixedSize(468, 250);

  auto* banner = new BannerLabel(this, [this] { openAddress(ProductInfo::HomeAddress); });
  banner->setObjectName("banner");
  banner->setPixmap(QPixmap::fromImage(toQImage(builtinAboutBanner())));
  banner->setCursor(Qt::PointingHandCursor);
  banner->setAccessibleName(toQString(ProductInfo::Name));
  banner->setToolTip(toQString(ProductInfo::HomeAddress));
  banner->setGeometry(0, 0, 468, 60);

  auto* body = new QLabel(toQString(aboutBodyText()), this);
  body->setObjectName("body");
  body->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  body->setWordWrap(true);
  body->setTextInteractionFlags(Qt::TextSelectableByMouse);
  body->setGeometry(5, 65, 458, 130);

  const QString linkText = toQString(ProductInfo::LinkText);
  auto* link = new LinkLabel(linkText, this, [this] { openAddress(ProductInfo::SkinsAddress); });
  link->setObjectName("link");
  link->setAccessibleName(linkText);
  link->setToolTip(toQString(ProductInfo::SkinsAddress));
  QPalette palette = link->palette();
  palette.setColor(QPalette::WindowText, QColor(64, 64, 255));
  link->setPalette(palette);
  QFont underlined = link->font();
  underlined.setUnderline(true);
  link->setFont(underlined);
  link->setCursor(Qt::PointingHandCursor);
  link->setGeometry(20, 200, 150, 20);

  auto* ok = new QPushButton(toQString(texts.text("LANG_OK$")), this);
  ok->setObjectName("ok");
  ok->setAccessibleName(ok->text());
  ok->setDefault(true);
  ok->setGeometry(184, 220, 100, 20);
  connect(ok, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
  ok->setFocus();
}

void AboutBox::showModal(QWidget* owner, const InterfaceTexts& texts) {
  AboutBox box(owner, texts);
  box.exec();
}

void AboutBox::openAddress(std::string_view address) {
  if (openUrl_) openUrl_(QUrl(toQString(address)));
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
