// The editing panel's page of the settings no model field owns: keys and
// sections of later versions of the menu that the skin's uisettings.ini
// carries. A table of section, key and value in file order, the value
// edited in place; a colour value shows its swatch on a button that opens
// the colour picker; a setting can be removed and a new one added. Every
// change goes to the Editor as one undo step; the page shows the skin
// again after each change, undo, redo and open.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <vector>

#include "app/editor_listener.h"
#include "skin/stored_settings.h"

class Editor;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The rows as the table shows them; setData writes a value through the
// Editor.
class OtherSettingsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { SectionColumn, KeyColumn, ValueColumn, ColorColumn, ColumnCount };
  explicit OtherSettingsModel(Editor& editor, QObject* parent);

  // The editor's list again: the same number of rows is updated in place
  // (an open editor in the table stays open), another number starts anew.
  void refresh(bool reset);
  const std::vector<OtherSetting>& rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  Editor& editor_;
  std::vector<OtherSetting> rows_;
};

class OtherSettingsPage : public QWidget, public EditorListener {
  Q_OBJECT

 public:
  OtherSettingsPage(Editor& editor, QWidget* parent);
  ~OtherSettingsPage() override;

  // EditorListener
  void skinReplaced() override { refresh(true); }
  void otherSettingsChanged() override { refresh(false); }

  QTableView* table() const { return table_; }
  OtherSettingsModel* model() const { return model_; }
  QPushButton* colorButton() const { return colorButton_; }
  QPushButton* removeButton() const { return removeButton_; }
  QLineEdit* sectionField() const { return sectionField_; }
  QLineEdit* keyField() const { return keyField_; }
  QLineEdit* valueField() const { return valueField_; }
  QPushButton* addButton() const { return addButton_; }
  // The swatch button of a row; nullptr for a value that is no colour.
  QWidget* rowColorButton(int row) const;

  // The actions on the current row, as the buttons and keys start them.
  void pickColor();
  void removeCurrent();
  void editCurrentValue();
  void addSetting();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString text(std::string_view key) const;
  void refresh(bool reset);
  void placeRowButtons();
  void updateButtons();
  int currentRow() const;

  Editor& editor_;
  OtherSettingsModel* model_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* empty_ = nullptr;
  QTableView* table_ = nullptr;
  QPushButton* colorButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QLineEdit* sectionField_ = nullptr;
  QLineEdit* keyField_ = nullptr;
  QLineEdit* valueField_ = nullptr;
  QPushButton* addButton_ = nullptr;
};
