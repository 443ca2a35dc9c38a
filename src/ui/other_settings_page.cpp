#include "ui/other_settings_page.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/editor.h"
#include "ui/qt_text.h"

namespace {

constexpr int kSwatchSize = 12;
constexpr int kColorColumnWidth = 26;

QIcon swatchIcon(Color color) {
  QPixmap pixmap(kSwatchSize, kSwatchSize);
  pixmap.fill(QColor(redOf(color), greenOf(color), blueOf(color)));
  QPainter painter(&pixmap);
  painter.setPen(QColor(96, 96, 96));
  painter.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
  painter.end();
  return QIcon(pixmap);
}

QString labelOf(const OtherSetting& setting) {
  return toQString(settingLabel(setting.section, setting.key));
}

}  // namespace

OtherSettingsModel::OtherSettingsModel(Editor& editor, QObject* parent)
    : QAbstractTableModel(parent), editor_(editor) {}

void OtherSettingsModel::refresh(bool reset) {
  std::vector<OtherSetting> rows = editor_.otherSettings();
  if (!reset && rows.size() == rows_.size()) {
    rows_ = std::move(rows);
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    return;
  }
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int OtherSettingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int OtherSettingsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant OtherSettingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const OtherSetting& row = rows_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
      switch (index.column()) {
        case SectionColumn:
          return toQString(row.section);
        case KeyColumn:
          return toQString(row.key);
        case ValueColumn:
          return toQString(row.value);
        default:
          return {};
      }
    case Qt::ToolTipRole:
      return labelOf(row) + QStringLiteral(" = ") + toQString(row.value);
    default:
      return {};
  }
}

QVariant OtherSettingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
    return QAbstractTableModel::headerData(section, orientation, role);
  static constexpr std::string_view kKeys[] = {"LANG_OTHER_SECTION$", "LANG_OTHER_KEY$",
                                               "LANG_OTHER_VALUE$", "LANG_OTHER_COLOR$"};
  if (section < 0 || section >= ColumnCount) return {};
  // The swatch column is too narrow for its name; a screen reader still says it.
  if (section == ColorColumn && role == Qt::DisplayRole) return QString();
  return toQString(editor_.texts().text(kKeys[section]));
}

Qt::ItemFlags OtherSettingsModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() == ValueColumn) flags |= Qt::ItemIsEditable;
  return flags;
}

bool OtherSettingsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != ValueColumn || index.row() >= rowCount())
    return false;
  // The edit refreshes the rows (every line after it moves), so the line
  // is taken first.
  const std::size_t line = rows_[static_cast<std::size_t>(index.row())].line;
  return editor_.setOtherSetting(line, toUtf8(value.toString()));
}

OtherSettingsPage::OtherSettingsPage(Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(5, 5, 5, 5);

  note_ = new QLabel(text("LANG_OTHER_NOTE$"), this);
  note_->setWordWrap(true);
  layout->addWidget(note_);

  model_ = new OtherSettingsModel(editor_, this);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->setAccessibleName(text("LANG_OTHER_TABLE$"));
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  // Tab leaves the table for the buttons; the arrows move inside it.
  table_->setTabKeyNavigation(false);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  QHeaderView* header = table_->horizontalHeader();
  header->setHighlightSections(false);
  // Sections and keys are shown whole (the longest of them still leave the
  // value room); a long value scrolls, and its tooltip shows it all.
  header->setSectionResizeMode(OtherSettingsModel::SectionColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(OtherSettingsModel::KeyColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(OtherSettingsModel::ValueColumn, QHeaderView::Stretch);
  header->setSectionResizeMode(OtherSettingsModel::ColorColumn, QHeaderView::Fixed);
  header->resizeSection(OtherSettingsModel::ColorColumn, kColorColumnWidth);
  table_->installEventFilter(this);
  layout->addWidget(table_, 1);

  empty_ = new QLabel(text("LANG_OTHER_EMPTY$"), this);
  empty_->setWordWrap(true);
  layout->addWidget(empty_);

  auto* rowButtons = new QHBoxLayout();
  colorButton_ = new QPushButton(text("LANG_OTHER_PICK_COLOR$"), this);
  colorButton_->setAccessibleName(colorButton_->text());
  removeButton_ = new QPushButton(text("LANG_OTHER_REMOVE$"), this);
  removeButton_->setAccessibleName(removeButton_->text());
  rowButtons->addWidget(colorButton_);
  rowButtons->addWidget(removeButton_);
  rowButtons->addStretch(1);
  layout->addLayout(rowButtons);

  auto* group = new QGroupBox(text("LANG_OTHER_NEW$"), this);
  group->setAccessibleName(group->title());
  auto* form = new QFormLayout(group);
  form->setRowWrapPolicy(QFormLayout::DontWrapRows);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  const auto field = [&](std::string_view key) {
    auto* edit = new QLineEdit(group);
    auto* label = new QLabel(text(key), group);
    label->setBuddy(edit);
    edit->setAccessibleName(label->text());
    form->addRow(label, edit);
    connect(edit, &QLineEdit::textChanged, this, &OtherSettingsPage::updateButtons);
    connect(edit, &QLineEdit::returnPressed, this, &OtherSettingsPage::addSetting);
    return edit;
  };
  sectionField_ = field("LANG_OTHER_SECTION$");
  keyField_ = field("LANG_OTHER_KEY$");
  valueField_ = field("LANG_OTHER_VALUE$");
  addButton_ = new QPushButton(text("LANG_OTHER_ADD$"), group);
  addButton_->setAccessibleName(addButton_->text());
  form->addRow(QString(), addButton_);
  layout->addWidget(group);

  connect(colorButton_, &QPushButton::clicked, this, &OtherSettingsPage::pickColor);
  connect(removeButton_, &QPushButton::clicked, this, &OtherSettingsPage::removeCurrent);
  connect(addButton_, &QPushButton::clicked, this, &OtherSettingsPage::addSetting);
  // A double click anywhere on a row edits its value.
  connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.column() != OtherSettingsModel::ValueColumn) editCurrentValue();
  });
  connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &OtherSettingsPage::updateButtons);

  setTabOrder(table_, colorButton_);
  setTabOrder(colorButton_, removeButton_);
  setTabOrder(removeButton_, sectionField_);
  setTabOrder(sectionField_, keyField_);
  setTabOrder(keyField_, valueField_);
  setTabOrder(valueField_, addButton_);

  refresh(true);
  editor_.addListener(*this);
}

OtherSettingsPage::~OtherSettingsPage() { editor_.removeListener(*this); }

QString OtherSettingsPage::text(std::string_view key) const {
  return toQString(editor_.texts().text(key));
}

int OtherSettingsPage::currentRow() const {
  const QModelIndex current = table_->currentIndex();
  return current.isValid() && current.row() < model_->rowCount() ? current.row() : -1;
}

void OtherSettingsPage::refresh(bool reset) {
  const QModelIndex before = table_->currentIndex();
  model_->refresh(reset);
  placeRowButtons();
  const int rows = model_->rowCount();
  // After an undo, a removal or an open, the keyboard stays where it was
  // in the list, so that going on needs no mouse.
  if (rows > 0 && !table_->currentIndex().isValid()) {
    const int row = std::clamp(before.isValid() ? before.row() : 0, 0, rows - 1);
    const int column = before.isValid() ? before.column() : OtherSettingsModel::ValueColumn;
    table_->selectionModel()->setCurrentIndex(
        model_->index(row, column),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  table_->setVisible(rows > 0);
  empty_->setVisible(rows == 0);
  updateButtons();
}

void OtherSettingsPage::placeRowButtons() {
  const auto& rows = model_->rows();
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const OtherSetting& setting = rows[static_cast<std::size_t>(row)];
    const QModelIndex index = model_->index(row, OtherSettingsModel::ColorColumn);
    if (!readsAsColor(setting.value)) {
      if (table_->indexWidget(index)) table_->setIndexWidget(index, nullptr);
      continue;
    }
    auto* button = new QToolButton();
    button->setIcon(swatchIcon(colorFromText(setting.value)));
    button->setAutoRaise(true);
    // The keyboard reaches the picker through the button below the table.
    button->setFocusPolicy(Qt::NoFocus);
    const QString name = text("LANG_OTHER_PICK_COLOR$") + u' ' + labelOf(setting);
    button->setAccessibleName(name);
    button->setToolTip(name + QStringLiteral("  ") + toQString(setting.value));
    const std::size_t line = setting.line;
    connect(button, &QToolButton::clicked, this, [this, row, line] {
      table_->selectRow(row);
      editor_.pickOtherSettingColor(line);
    });
    table_->setIndexWidget(index, button);
  }
}

QWidget* OtherSettingsPage::rowColorButton(int row) const {
  return table_->indexWidget(model_->index(row, OtherSettingsModel::ColorColumn));
}

void OtherSettingsPage::updateButtons() {
  const int row = currentRow();
  removeButton_->setEnabled(row >= 0);
  colorButton_->setEnabled(row >= 0 &&
                           readsAsColor(model_->rows()[static_cast<std::size_t>(row)].value));
  addButton_->setEnabled(validSettingSection(toUtf8(sectionField_->text())) &&
                         validSettingKey(toUtf8(keyField_->text())) &&
                         validSettingValue(toUtf8(valueField_->text())));
}

void OtherSettingsPage::pickColor() {
  const int row = currentRow();
  if (row >= 0) editor_.pickOtherSettingColor(model_->rows()[static_cast<std::size_t>(row)].line);
}

void OtherSettingsPage::removeCurrent() {
  const int row = currentRow();
  if (row < 0) return;
  editor_.removeOtherSetting(model_->rows()[static_cast<std::size_t>(row)].line);
  // The last one gone, the list and the button go: the keyboard goes on
  // to adding one.
  if (model_->rowCount() == 0) sectionField_->setFocus(Qt::OtherFocusReason);
}

void OtherSettingsPage::editCurrentValue() {
  const int row = currentRow();
  if (row < 0) return;
  const QModelIndex value = model_->index(row, OtherSettingsModel::ValueColumn);
  table_->setCurrentIndex(value);
  table_->edit(value);
}

void OtherSettingsPage::addSetting() {
  if (!addButton_->isEnabled()) return;
  const std::string section = toUtf8(sectionField_->text());
  const std::string key = toUtf8(keyField_->text());
  if (!editor_.addOtherSetting(section, key, toUtf8(valueField_->text()))) {
    QApplication::beep();
    return;
  }
  // The section stays for the next key of it.
  keyField_->clear();
  valueField_->clear();
  keyField_->setFocus(Qt::OtherFocusReason);
  const auto& rows = model_->rows();
  for (int row = static_cast<int>(rows.size()) - 1; row >= 0; --row) {
    if (toQString(rows[static_cast<std::size_t>(row)].key).trimmed() == toQString(key).trimmed()) {
      const QModelIndex index = model_->index(row, OtherSettingsModel::ValueColumn);
      table_->setCurrentIndex(index);
      table_->scrollTo(index);
      break;
    }
  }
}

bool OtherSettingsPage::eventFilter(QObject* watched, QEvent* event) {
  // While a value is edited its field has the keys, not the table.
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier)) return QWidget::eventFilter(watched, event);
    switch (key->key()) {
      case Qt::Key_Delete:
        removeCurrent();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_F2:
        editCurrentValue();
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}
