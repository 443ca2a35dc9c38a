#include "ui/editing_panel.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/editor.h"
#include "app/panel_controls.h"
#include "skin/skin_images.h"
#include "ui/image_conversion.h"
#include "ui/other_settings_page.h"
#include "ui/panel_widgets.h"
#include "ui/qt_text.h"

namespace {

constexpr int kButtonWidth = 128;
constexpr int kControlHeight = 20;
constexpr int kSpinWidth = 48;
constexpr int kInfoWidth = 374;

QColor qColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// The page's content, a plain widget sized to hold every control, goes
// into a frameless scroll area, so a page taller than the panel scrolls.
// It is filled before it has a parent: controls made inside a widget that
// is already on screen would stay hidden and out of its size.
void placeContent(QWidget* page, QWidget* content) {
  const QPoint corner = content->childrenRect().bottomRight();
  content->resize(corner.x() + 1, corner.y() + 6);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* area = new QScrollArea(page);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(false);
  area->setObjectName(QStringLiteral("pageScroll"));
  area->setWidget(content);
  layout->addWidget(area);
  area->show();
}

}  // namespace

EditingPanel::EditingPanel(Editor& editor, QWidget* parent) : QTabWidget(parent), editor_(editor) {
  setAccessibleName(QStringLiteral("Editing panel"));
  addPage("LANG_PANEL_COLORS$");
  addPage("LANG_PANEL_IMAGES$");
  addPage("LANG_PANEL_ELEMETS$");
  addPage("LANG_PANEL_INFORMATIONS$");
  addPage("LANG_PANEL_OTHER$");
  fitTabs();
  ensurePage(currentIndex());
  // After the page is on screen, before anything paints it.
  connect(this, &QTabWidget::currentChanged, this, &EditingPanel::ensurePage);
  editor_.addListener(*this);
}

EditingPanel::~EditingPanel() { editor_.removeListener(*this); }

void EditingPanel::ensurePage(int page) {
  if (page < 0 || page >= PageCount || built_[page]) return;
  built_[page] = true;
  if (page == OtherPage) {
    // A table scrolls itself: the page holds it without a scroll area.
    auto* layout = new QVBoxLayout(widget(page));
    layout->setContentsMargins(0, 0, 0, 0);
    otherSettings_ = new OtherSettingsPage(editor_, widget(page));
    layout->addWidget(otherSettings_);
    return;
  }
  std::array<std::size_t, kScreenViewCount> before{};
  for (int view = 0; view < kScreenViewCount; ++view) before[view] = viewControls_[view].size();
  auto* content = new QWidget();
  switch (page) {
    case ColorsPage:
      buildColorsPage(content);
      refreshSwatches();
      break;
    case ImagesPage:
      buildImagesPage(content);
      break;
    case ElementsPage:
      buildElementsPage(content);
      fillElements();
      break;
    case InformationPage:
      buildInformationPage(content);
      fillInformation();
      break;
  }
  placeContent(widget(page), content);
  for (int view = 0; view < kScreenViewCount; ++view)
    for (std::size_t i = before[view]; i < viewControls_[view].size(); ++i)
      viewControls_[view][i]->setEnabled(view == editor_.screenView());
}

QString EditingPanel::text(std::string_view key) const {
  return toQString(editor_.texts().text(key));
}

void EditingPanel::addPage(const char* titleKey) {
  auto* page = new QWidget();
  addTab(page, text(titleKey));
  page->setAccessibleName(text(titleKey));
}

void EditingPanel::fitTabs() {
  constexpr int kSmallestTabPixels = 9;
  QFont font = QApplication::font(tabBar());
  int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  const auto needed = [this] { return tabBar()->sizeHint().width(); };
  font.setPixelSize(pixels);
  tabBar()->setFont(font);
  while (pixels > kSmallestTabPixels && needed() > width()) {
    font.setPixelSize(--pixels);
    tabBar()->setFont(font);
  }
}

void EditingPanel::resizeEvent(QResizeEvent* event) {
  QTabWidget::resizeEvent(event);
  if (event->size().width() != event->oldSize().width()) fitTabs();
}

void EditingPanel::belongsTo(int view, QWidget* control) {
  if (view >= 0 && view < kScreenViewCount) viewControls_[view].push_back(control);
}

void EditingPanel::buildColorsPage(QWidget* content) {
  const auto table = colorButtonTable();
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    auto* button = new ColorButton(text(table[i].labelKey), content);
    button->setGeometry(table[i].x, table[i].y, kButtonWidth, kControlHeight);
    connect(button, &QPushButton::clicked, this, [this, i] { editor_.pickFieldColor(i); });
    belongsTo(table[i].view, button);
    colorButtons_.push_back(button);
  }
}

void EditingPanel::buildImagesPage(QWidget* content) {
  const auto table = imageButtonTable();
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    auto* button = new ImageButton(text(table[i].labelKey), toQString(table[i].fileName), content);
    button->setGeometry(table[i].x, table[i].y, kButtonWidth, kControlHeight);
    const int entry = SkinImageTable::indexOf(table[i].fileName);
    button->picture = [this, entry] { return toQImage(editor_.images()[entry].picture); };
    connect(button, &QPushButton::clicked, this, [this, i] { editor_.replaceImage(i); });
    connect(button, &ImageButton::pictureDropped, this,
            [this, i](const QString& path) { editor_.replaceImageFromFile(i, toUtf8(path)); });
    belongsTo(table[i].view, button);
    imageButtons_.push_back(button);
  }
}

void EditingPanel::buildElementsPage(QWidget* content) {
  const auto table = elementRowTable();
  for (int k = 0; k < static_cast<int>(table.size()); ++k) {
    const ElementRowEntry& entry = table[k];
    Row row;
    const QString label = toQString(elementRowLabel(entry, editor_.texts()));
    QWidget* labelControl = nullptr;
    if (entry.checkBox) {
      row.check = new ElementCheckBox(label, content);
      row.check->setGeometry(kElementCheckBoxX, elementRowY(k), kElementLabelWidth, kControlHeight);
      row.check->setAccessibleName(label);
      const FieldRef field = entry.checkField;
      connect(row.check, &QCheckBox::clicked, this, [this, field, k] {
        editor_.setElementChecked(field, rows_[k].check->checkState() == Qt::Checked);
      });
      labelControl = row.check;
    } else {
      row.label = new QLabel(label, content);
      row.label->setGeometry(kElementTextLabelX, elementRowY(k), kElementLabelWidth,
                             kControlHeight);
      labelControl = row.label;
    }
    belongsTo(entry.view, labelControl);
    for (int c = 0; c < 3; ++c) {
      if (entry.spins[c].empty()) continue;
      auto* spin = new QSpinBox(content);
      spin->setRange(0, kElementSpinMaximum[c]);
      spin->setGeometry(kElementSpinX[c], elementRowY(k), kSpinWidth, kControlHeight);
      spin->setAccessibleName(label + u' ' + toQString(entry.spins[c].key));
      if (row.label) row.label->setBuddy(row.spins[0] ? row.spins[0] : spin);
      const FieldRef field = entry.spins[c];
      // Fill blocks this signal, so only the user's changes write.
      connect(spin, &QSpinBox::valueChanged, this,
              [this, field](int value) { editor_.setElementValue(field, value); });
      // Letting go of the arrows or leaving the field ends one undo step.
      connect(spin, &QSpinBox::editingFinished, this, [this] { editor_.endGesture(); });
      spin->installEventFilter(this);
      row.spins[c] = spin;
      belongsTo(entry.view, spin);
    }
    rows_.push_back(row);
  }
}

void EditingPanel::buildInformationPage(QWidget* content) {
  const auto table = infoFieldTable();
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    auto* label = new QLabel(text(table[i].labelKey), content);
    label->setGeometry(5, 10 + 40 * i, kInfoWidth, kControlHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* field = new QLineEdit(content);
    field->setGeometry(5, 25 + 40 * i, kInfoWidth, kControlHeight);
    field->setReadOnly(!table[i].editable);
    field->setAccessibleName(label->text());
    label->setBuddy(field);
    field->raise();
    connect(field, &QLineEdit::editingFinished, this, [this] { editor_.endGesture(); });
    connect(field, &QLineEdit::textEdited, this,
            [this, i](const QString& value) { editor_.setInfoText(i, toUtf8(value)); });
    infoFields_.push_back(field);
  }
}

bool EditingPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && qobject_cast<QSpinBox*>(watched))
    editor_.endGesture();
  return QTabWidget::eventFilter(watched, event);
}

void EditingPanel::setViewEnabled(int view, bool enabled) {
  if (view < 0 || view >= kScreenViewCount) return;
  for (QWidget* control : viewControls_[view]) control->setEnabled(enabled);
}

void EditingPanel::fill() {
  // Pages not yet built are filled when they are.
  if (built_[ElementsPage]) fillElements();
  if (built_[InformationPage]) fillInformation();
  if (built_[ColorsPage]) refreshSwatches();
}

void EditingPanel::fillElements() {
  for (int k = 0; k < static_cast<int>(rows_.size()); ++k) showElement(k);
}

void EditingPanel::fillInformation() {
  for (int i = 0; i < static_cast<int>(infoFields_.size()); ++i) showInfo(i);
}

void EditingPanel::refreshSwatches() {
  for (int i = 0; i < static_cast<int>(colorButtons_.size()); ++i) showSwatch(i);
}

void EditingPanel::showElement(int row) {
  const ElementRowEntry& entry = elementRowTable()[row];
  if (rows_[row].check) {
    const QSignalBlocker block(rows_[row].check);
    const std::int32_t* value = editor_.integer(entry.checkField);
    rows_[row].check->showValue(value ? *value : 0);
  }
  for (int c = 0; c < 3; ++c) {
    if (!rows_[row].spins[c]) continue;
    const QSignalBlocker block(rows_[row].spins[c]);
    const std::int32_t* value = editor_.integer(entry.spins[c]);
    // Out-of-range values show clamped and stay as loaded until changed. A
    // spin box being typed in that shows the value already is left alone.
    const int shown = std::clamp(value ? *value : 0, 0, kElementSpinMaximum[c]);
    if (rows_[row].spins[c]->value() != shown) rows_[row].spins[c]->setValue(shown);
  }
}

void EditingPanel::showInfo(int index) {
  const QSignalBlocker block(infoFields_[index]);
  infoFields_[index]->setText(toQString(editor_.infoText(index)));
  infoFields_[index]->setCursorPosition(0);
}

void EditingPanel::showSwatch(int index) {
  colorButtons_[index]->setSwatch(qColor(editor_.color(index)));
}

// Controls of pages not built yet are filled when they are.
void EditingPanel::fieldChanged(FieldRef field) {
  const auto same = [&](FieldRef other) {
    return other.section == field.section && other.key == field.key;
  };
  const auto rows = elementRowTable();
  for (int k = 0; k < static_cast<int>(rows_.size()); ++k)
    if (same(rows[k].checkField) || same(rows[k].spins[0]) || same(rows[k].spins[1]) ||
        same(rows[k].spins[2]))
      showElement(k);
  const auto colors = colorButtonTable();
  for (int i = 0; i < static_cast<int>(colorButtons_.size()); ++i)
    if (same({"global settings", colors[i].key})) showSwatch(i);
  const auto infos = infoFieldTable();
  for (int i = 0; i < static_cast<int>(infoFields_.size()); ++i)
    // The field being typed in shows the text already and keeps its cursor.
    if (same({"SkinInfo", infos[i].key}) &&
        infoFields_[i]->text() != toQString(editor_.infoText(i)))
      showInfo(i);
}

void EditingPanel::pictureChanged(int entry) {
  const auto table = imageButtonTable();
  for (int i = 0; i < static_cast<int>(imageButtons_.size()); ++i)
    if (SkinImageTable::indexOf(table[i].fileName) == entry) imageButtons_[i]->update();
}

void EditingPanel::screenViewChanged(int oldView, int newView) {
  setViewEnabled(oldView, false);
  setViewEnabled(newView, true);
}

void EditingPanel::focusTarget(const PanelTarget& target) {
  QWidget* control = nullptr;
  int page = -1;
  switch (target.kind) {
    case PanelTarget::Kind::ElementRow: {
      page = ElementsPage;
      ensurePage(page);
      const Row& row = rows_[target.index];
      control = row.spins[0] ? static_cast<QWidget*>(row.spins[0])
                : row.check  ? static_cast<QWidget*>(row.check)
                             : row.label;
      break;
    }
    case PanelTarget::Kind::ImageButton:
      page = ImagesPage;
      ensurePage(page);
      control = imageButtons_[target.index];
      break;
    case PanelTarget::Kind::ColorButton:
      page = ColorsPage;
      ensurePage(page);
      control = colorButtons_[target.index];
      break;
    case PanelTarget::Kind::None:
      return;
  }
  setCurrentIndex(page);
  if (auto* area = widget(page)->findChild<QScrollArea*>()) area->ensureWidgetVisible(control);
  control->setFocus(Qt::OtherFocusReason);
}

void EditingPanel::lastUpdateChanged() {
  if (infoFields_.empty()) return;  // shown when the page is built
  const int last = static_cast<int>(infoFields_.size()) - 1;
  infoFields_[last]->setText(toQString(editor_.infoText(last)));
}
