#include "ui/color_picker_dialog.h"

#include <QColorDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include "i18n/interface_texts.h"
#include "ui/qt_text.h"

// Upper half the colour the dialog was given, lower half the one it would return.
class ColorSwatch : public QWidget {
 public:
  ColorSwatch(QWidget* parent, Color actual) : QWidget(parent), actual_(actual), shown_(actual) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void setShown(Color color) {
    shown_ = color;
    update(0, height() / 2, width(), height() - height() / 2);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int half = height() / 2;
    painter.fillRect(0, 0, width(), half, qColor(actual_));
    painter.fillRect(0, half, width(), height() - half, qColor(shown_));
  }

 private:
  static QColor qColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
  Color actual_;
  Color shown_;
};

namespace {

// A spin box over 0..31 that takes any typed number: past 31 the text turns
// into "31" as it is typed, which a plain QSpinBox would refuse outright.
class ChannelSpinBox : public QSpinBox {
 public:
  explicit ChannelSpinBox(QWidget* parent) : QSpinBox(parent) { setRange(0, 31); }

 protected:
  QValidator::State validate(QString& input, int& pos) const override {
    for (QChar ch : input)
      if (!ch.isDigit()) return QValidator::Invalid;
    if (input.isEmpty()) return QValidator::Intermediate;
    if (readSpinText(toUtf8(input)).rewrite) {
      input = QStringLiteral("31");
      pos = std::min<int>(pos, input.size());
    }
    return QValidator::Acceptable;
  }
  int valueFromText(const QString& text) const override { return readSpinText(toUtf8(text)).value; }
};

QString textOf(const InterfaceTexts& texts, const char* key) { return toQString(texts.text(key)); }

QLabel* addLabel(QWidget* parent, const QString& text, QRect where) {
  auto* label = new QLabel(text, parent);
  label->setAccessibleName(text);
  label->setGeometry(where);
  return label;
}

bool desktopRefusesReading() {
  // Wayland hands no other window's pixels to a program.
  return QGuiApplication::platformName().contains(QLatin1String("wayland"), Qt::CaseInsensitive);
}

std::optional<Color> readDesktopPixel(QPoint globalPos) {
  if (desktopRefusesReading()) return std::nullopt;
  QScreen* screen = QGuiApplication::screenAt(globalPos);
  if (!screen) return std::nullopt;
  const QPoint local = globalPos - screen->geometry().topLeft();
  const QPixmap pixmap = screen->grabWindow(0, local.x(), local.y(), 1, 1);
  if (pixmap.isNull()) return std::nullopt;
  const QImage image = pixmap.toImage();
  if (image.isNull()) return std::nullopt;
  const QRgb p = image.pixel(0, 0);
  return rgb(qRed(p), qGreen(p), qBlue(p));
}

}  // namespace

ColorPickerDialog::ColorPickerDialog(QWidget* owner, const InterfaceTexts& texts, Color initial,
                                     PreviewPixelSource previewPixel)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      texts_(texts),
      state_(initial & 0xFFFFFF),
      chosen_(initial & 0xFFFFFF),
      previewPixel_(std::move(previewPixel)),
      screenPixel_(readDesktopPixel) {
  setModal(true);
  setWindowTitle(textOf(texts, "LANG_COLORSETTING$"));
  setFixedSize(200, 350);
  if (owner) move(owner->window()->pos() + QPoint(50, 50));

  // Made in this order, which is also the order Tab walks.
  buildInfo();
  buildColorFields();
  buildChannels();
  channels_[0]->setFocus();
  buildButtons();

  chooser_ = [this](Color start) -> std::optional<Color> {
    const QColor chosen = QColorDialog::getColor(
        QColor(redOf(start), greenOf(start), blueOf(start)), this, windowTitle());
    if (!chosen.isValid()) return std::nullopt;
    return rgb(chosen.red(), chosen.green(), chosen.blue());
  };

  // A right press anywhere in the dialog starts picking, over the controls
  // too; their own context menus would otherwise take the press.
  for (QWidget* child : findChildren<QWidget*>()) {
    child->setContextMenuPolicy(Qt::PreventContextMenu);
    child->installEventFilter(this);
  }
  setContextMenuPolicy(Qt::PreventContextMenu);

  if (desktopRefusesReading() && previewPixel_) showPreviewOnlyHint();
}

void ColorPickerDialog::buildInfo() {
  info_ = new QLabel(this);
  info_->setObjectName(QStringLiteral("info"));
  info_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  info_->setWordWrap(true);
  info_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  info_->setMargin(2);
  info_->setGeometry(5, 5, 190, 100);
  showInfo(textOf(texts_, "LANG_INFO$"));
}

void ColorPickerDialog::buildColorFields() {
  const Color actual = state_.actual();
  const QString actualLabel = textOf(texts_, "LANG_ACTUAL_COLOR$");
  const QString newLabel = textOf(texts_, "LANG_NEW_COLOR$");
  swatch_ = new ColorSwatch(this, actual);
  swatch_->setObjectName(QStringLiteral("swatch"));
  swatch_->setAccessibleName(actualLabel + QStringLiteral(" / ") + newLabel);
  swatch_->setGeometry(5, 115, 50, 100);

  auto addValueField = [this, actual](const QString& label, const QString& name, QRect where) {
    auto* field = new QLineEdit(toQString(colorPickerHex(actual)), this);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setAccessibleName(label);
    field->setGeometry(where);
    return field;
  };
  addLabel(this, actualLabel, {65, 115, 120, 20});
  actualValue_ = addValueField(actualLabel, QStringLiteral("actualValue"), {70, 135, 50, 20});
  addLabel(this, newLabel, {65, 165, 120, 20});
  newValue_ = addValueField(newLabel, QStringLiteral("newValue"), {70, 185, 50, 20});
}

void ColorPickerDialog::buildChannels() {
  const Color actual = state_.actual();
  const char* channelKeys[3] = {"LANG_RED$", "LANG_GREEN$", "LANG_BLUE$"};
  const QString channelNames[3] = {QStringLiteral("red"), QStringLiteral("green"),
                                   QStringLiteral("blue")};
  const int startValues[3] = {channel5(redOf(actual)), channel5(greenOf(actual)),
                              channel5(blueOf(actual))};
  for (int i = 0; i < 3; ++i) {
    const QString label = textOf(texts_, channelKeys[i]);
    auto* spin = new ChannelSpinBox(this);
    spin->setObjectName(channelNames[i]);
    spin->setValue(startValues[i]);
    spin->setAccessibleName(label);
    spin->setGeometry(5, 230 + 25 * i, 40, 20);
    addLabel(this, label, {60, 232 + 25 * i, 130, 20})->setBuddy(spin);
    channels_[i] = spin;
    // Connected after the start value is in: only the user's edits move the colour.
    connect(spin, &QSpinBox::valueChanged, this, [this, spin] { onChannelEdited(spin); });
  }
}

void ColorPickerDialog::buildButtons() {
  auto addButton = [this](const char* key, const QString& name, QRect where) {
    auto* button = new QPushButton(textOf(texts_, key), this);
    button->setObjectName(name);
    button->setAccessibleName(button->text());
    button->setGeometry(where);
    return button;
  };
  QPushButton* chooser =
      addButton("LANG_COLORREQUESTER$", QStringLiteral("chooser"), {0, 310, 200, 20});
  QPushButton* ok = addButton("LANG_OK$", QStringLiteral("ok"), {0, 330, 100, 20});
  QPushButton* cancel = addButton("LANG_CANCEL$", QStringLiteral("cancel"), {100, 330, 100, 20});
  chooser->setAutoDefault(false);
  cancel->setAutoDefault(false);
  ok->setDefault(true);
  connect(chooser, &QPushButton::clicked, this, &ColorPickerDialog::openChooser);
  connect(ok, &QPushButton::clicked, this, [this] { finish(true); });
  connect(cancel, &QPushButton::clicked, this, [this] { finish(false); });
}

Color ColorPickerDialog::pick(QWidget* owner, const InterfaceTexts& texts, Color initial,
                              PreviewPixelSource previewPixel) {
  ColorPickerDialog dialog(owner, texts, initial, std::move(previewPixel));
  dialog.exec();
  return dialog.chosenColor();
}

void ColorPickerDialog::onChannelEdited(QSpinBox* edited) {
  state_.setChannels5(channels_[0]->value(), channels_[1]->value(), channels_[2]->value());
  showNewColor(edited);
}

void ColorPickerDialog::openChooser() {
  if (!chooser_) return;
  if (const std::optional<Color> chosen = chooser_(state_.newColor())) {
    state_.setNewColor(*chosen);
    showNewColor();
  }
}

void ColorPickerDialog::finish(bool ok) {
  stopPicking();
  chosen_ = ok ? state_.okResult() : state_.cancelResult();
  done(ok ? QDialog::Accepted : QDialog::Rejected);
}

void ColorPickerDialog::showNewColor(QSpinBox* typedInto) {
  if (!state_.syncDisplayed()) return;
  const Color shown = state_.displayed();
  swatch_->setShown(shown);
  const int values[3] = {channel5(redOf(shown)), channel5(greenOf(shown)), channel5(blueOf(shown))};
  for (int i = 0; i < 3; ++i) {
    if (channels_[i] == typedInto) continue;
    // The program's own writes are not edits: a chooser or screen colour
    // keeps its full channels until the user touches a spin box.
    const QSignalBlocker quiet(channels_[i]);
    channels_[i]->setValue(values[i]);
  }
  newValue_->setText(toQString(colorPickerHex(shown)));
}

void ColorPickerDialog::showInfo(const QString& text) {
  info_->setText(text);
  // A language file may say more than the fixed box holds at the
  // application's font; the explanation then gets smaller type, not a cut.
  QFont font = this->font();
  info_->setFont(font);
  while (info_->heightForWidth(info_->width()) > info_->height() && font.pointSizeF() > 6) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
    info_->setFont(font);
  }
}

void ColorPickerDialog::showPreviewOnlyHint() {
  showInfo(textOf(texts_, "LANG_PICK_PREVIEW_ONLY$"));
}

void ColorPickerDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ColorPickerDialog::startPicking(QPoint globalPos) {
  if (!picking_) {
    picking_ = true;
    grabMouse(Qt::CrossCursor);
  }
  pickAt(globalPos);
}

void ColorPickerDialog::pickAt(QPoint globalPos) {
  std::optional<Color> pixel = screenPixel_ ? screenPixel_(globalPos) : std::nullopt;
  if (!pixel && previewPixel_) {
    pixel = previewPixel_(globalPos);
    if (pixel) showPreviewOnlyHint();
  }
  if (!pixel) return;
  state_.setNewColor(pickedScreenColor(*pixel));
  showNewColor();
}

void ColorPickerDialog::stopPicking() {
  if (!picking_) return;
  picking_ = false;
  releaseMouse();
}

void ColorPickerDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    startPicking(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QDialog::mousePressEvent(event);
}

void ColorPickerDialog::mouseMoveEvent(QMouseEvent* event) {
  if (picking_ && (event->buttons() & Qt::RightButton)) {
    pickAt(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void ColorPickerDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (picking_ && event->button() == Qt::RightButton) {
    stopPicking();
    event->accept();
    return;
  }
  QDialog::mouseReleaseEvent(event);
}

void ColorPickerDialog::hideEvent(QHideEvent* event) {
  stopPicking();
  QDialog::hideEvent(event);
}

bool ColorPickerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      startPicking(mouse->globalPosition().toPoint());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
