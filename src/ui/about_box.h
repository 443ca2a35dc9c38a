// The about box: the banner, the product's name, version and a few words
// about it, and a link to more skins. Only its OK button closes it.
#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>
#include <string_view>

class InterfaceTexts;

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // Hands a web address to the desktop; QDesktopServices::openUrl unless
  // replaced. A failure is not reported and the box stays open.
  using UrlOpener = std::function<void(const QUrl&)>;

  AboutBox(QWidget* owner, const InterfaceTexts& texts);

  // Runs the box modally until OK.
  static void showModal(QWidget* owner, const InterfaceTexts& texts);

  void setUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

  // Escape and the window manager do not end the box.
  void reject() override {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void openAddress(std::string_view address);

  UrlOpener openUrl_;
};
