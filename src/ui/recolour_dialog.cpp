#include "ui/recolour_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/editor.h"
#include "ui/qt_text.h"

namespace {

constexpr int kSliderWidth = 220;

struct ValueRow {
  const char* key;  // the label; empty for the colourise row, labelled by its check box
  const char* name;
  int minimum, maximum, start, pageStep;
  const char* suffix;
};

// Saturation and lightness are percentages of what the skin has: 100 is no
// change. Hue turns every colour round the circle; colourise sets one hue.
constexpr ValueRow kRows[RecolourDialog::kValueCount] = {
    {"LANG_RECOLOUR_HUE$", "hue", -180, 180, 0, 15, "\u00b0"},
    {"LANG_RECOLOUR_SATURATION$", "saturation", 0, 200, 100, 10, " %"},
    {"LANG_RECOLOUR_LIGHTNESS$", "lightness", 0, 200, 100, 10, " %"},
    {"", "colouriseHue", 0, 359, 210, 15, "\u00b0"},
};

struct PartRow {
  const char* key;
  const char* name;
};

constexpr PartRow kParts[RecolourDialog::kPartCount] = {
    {"LANG_RECOLOUR_COLOURS$", "colours"},    {"LANG_RECOLOUR_BACKGROUNDS$", "backgrounds"},
    {"LANG_RECOLOUR_ICONS$", "icons"},        {"LANG_RECOLOUR_BARS$", "barsAndFrames"},
    {"LANG_RECOLOUR_DIGITS$", "clockDigits"},
};

constexpr SkinImageGroup kPartGroups[] = {SkinImageGroup::Backgrounds, SkinImageGroup::Icons,
                                          SkinImageGroup::BarsAndFrames,
                                          SkinImageGroup::ClockDigits};

}  // namespace

RecolourDialog::RecolourDialog(QWidget* owner, Editor& editor) : QDialog(owner), editor_(editor) {
  const InterfaceTexts& texts = editor.texts();
  const auto text = [&texts](const char* key) { return toQString(texts.text(key)); };
  setModal(true);
  setWindowTitle(text("LANG_RECOLOUR_TITLE$"));
  setObjectName("recolourDialog");

  pending_.setSingleShot(true);
  pending_.setInterval(0);
  connect(&pending_, &QTimer::timeout, this, &RecolourDialog::showPreview);

  auto* outer = new QVBoxLayout(this);
  // As large as its texts need in the language shown, and no larger.
  outer->setSizeConstraint(QLayout::SetFixedSize);
  auto* grid = new QGridLayout();
  outer->addLayout(grid);

  colourise_ = new QCheckBox(text("LANG_RECOLOUR_COLOURISE$"), this);
  colourise_->setObjectName("colourise");
  colourise_->setAccessibleName(colourise_->text());

  for (int i = 0; i < kValueCount; ++i) {
    const ValueRow& row = kRows[i];
    const QString label = row.key[0] ? text(row.key) : colourise_->text();
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Slider"));
    slider->setRange(row.minimum, row.maximum);
    slider->setPageStep(row.pageStep);
    slider->setValue(row.start);
    slider->setMinimumWidth(kSliderWidth);
    slider->setAccessibleName(label);
    auto* spin = new QSpinBox(this);
    spin->setObjectName(row.name);
    spin->setRange(row.minimum, row.maximum);
    spin->setSuffix(QString::fromUtf8(row.suffix));
    spin->setValue(row.start);
    spin->setAccessibleName(label);
    if (row.key[0]) {
      auto* name = new QLabel(label, this);
      name->setBuddy(spin);
      grid->addWidget(name, i, 0);
    } else {
      grid->addWidget(colourise_, i, 0);
    }
    grid->addWidget(slider, i, 1);
    grid->addWidget(spin, i, 2);
    // Either moves the other; a value that is already shown stops the echo.
    connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
    connect(spin, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    connect(spin, &QSpinBox::valueChanged, this, &RecolourDialog::valuesChanged);
    sliders_[i] = slider;
    spins_[i] = spin;
  }
  connect(colourise_, &QCheckBox::toggled, this, [this] {
    enableRows();
    valuesChanged();
  });

  auto* partsBox = new QGroupBox(text("LANG_RECOLOUR_PARTS$"), this);
  partsBox->setAccessibleName(partsBox->title());
  auto* partsGrid = new QGridLayout(partsBox);
  for (int i = 0; i < kPartCount; ++i) {
    auto* box = new QCheckBox(text(kParts[i].key), partsBox);
    box->setObjectName(kParts[i].name);
    box->setAccessibleName(box->text());
    box->setChecked(true);
    partsGrid->addWidget(box, i / 2, i % 2);
    connect(box, &QCheckBox::toggled, this, &RecolourDialog::valuesChanged);
    parts_[i] = box;
  }
  outer->addWidget(partsBox);

  auto* buttons = new QHBoxLayout();
  auto addButton = [this, &text, buttons](const char* key, const char* name) {
    auto* button = new QPushButton(text(key), this);
    button->setObjectName(name);
    button->setAccessibleName(button->text());
    button->setAutoDefault(false);
    buttons->addWidget(button);
    return button;
  };
  reset_ = addButton("LANG_RECOLOUR_RESET$", "reset");
  buttons->addStretch(1);
  ok_ = addButton("LANG_OK$", "ok");
  cancel_ = addButton("LANG_CANCEL$", "cancel");
  ok_->setDefault(true);
  outer->addLayout(buttons);
  connect(reset_, &QPushButton::clicked, this, &RecolourDialog::resetValues);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  // Row by row, each slider before its spin box, then the parts and buttons.
  QWidget* order[] = {sliders_[Hue],
                      spins_[Hue],
                      sliders_[Saturation],
                      spins_[Saturation],
                      sliders_[Lightness],
                      spins_[Lightness],
                      colourise_,
                      sliders_[ColouriseHue],
                      spins_[ColouriseHue],
                      parts_[Colours],
                      parts_[Backgrounds],
                      parts_[Icons],
                      parts_[BarsAndFrames],
                      parts_[ClockDigits],
                      reset_,
                      ok_,
                      cancel_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  enableRows();
  sliders_[Hue]->setFocus();

  // Over the editing panel, so the preview stays in sight.
  if (owner) {
    const QWidget* window = owner->window();
    move(window->geometry().topLeft() + QPoint(editor.state().PanelX + 10, 60));
  }
  editor_.beginRecolour();
}

RecolourDialog::~RecolourDialog() {
  // Destroyed without an answer: nothing of the trial stays.
  if (!finished_) editor_.cancelRecolour();
}

void RecolourDialog::run(QWidget* owner, Editor& editor) {
  RecolourDialog dialog(owner, editor);
  dialog.exec();
}

RecolourParams RecolourDialog::params() const {
  RecolourParams params;
  params.colourise = colourise_->isChecked();
  if (params.colourise)
    params.colouriseHue = spins_[ColouriseHue]->value();
  else
    params.hue = spins_[Hue]->value();
  params.saturation = spins_[Saturation]->value() / 100.0;
  params.lightness = spins_[Lightness]->value() / 100.0;
  return params;
}

RecolourParts RecolourDialog::parts() const {
  RecolourParts parts;
  parts.colours = parts_[Colours]->isChecked();
  for (int i = 0; i < static_cast<int>(std::size(kPartGroups)); ++i)
    parts.set(kPartGroups[i], parts_[Backgrounds + i]->isChecked());
  return parts;
}

void RecolourDialog::resetValues() {
  colourise_->setChecked(false);
  for (int i = 0; i < kValueCount; ++i) spins_[i]->setValue(kRows[i].start);
}

void RecolourDialog::enableRows() {
  const bool colourise = colourise_->isChecked();
  sliders_[Hue]->setEnabled(!colourise);
  spins_[Hue]->setEnabled(!colourise);
  sliders_[ColouriseHue]->setEnabled(colourise);
  spins_[ColouriseHue]->setEnabled(colourise);
}

void RecolourDialog::valuesChanged() {
  if (!pending_.isActive()) pending_.start();
}

void RecolourDialog::showPreview() {
  pending_.stop();
  editor_.previewRecolour(params(), parts());
}

void RecolourDialog::done(int result) {
  if (!finished_) {
    finished_ = true;
    if (result == QDialog::Accepted) {
      // A value typed into a spin box and not yet drawn counts too.
      showPreview();
      editor_.commitRecolour();
    } else {
      pending_.stop();
      editor_.cancelRecolour();
    }
  }
  QDialog::done(result);
}
