// The tabbed panel through which the author edits the skin: colours,
// pictures, element positions and flags, descriptive texts. Widgets are
// built from the control tables and every change goes straight to the
// Editor; only the controls of the ScreenView being previewed are enabled.
#pragma once

#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <array>
#include <vector>

#include "app/editor_listener.h"
#include "app/point_at.h"
#include "preview/preview_canvas.h"

class Editor;
class ColorButton;
class ImageButton;
class ElementCheckBox;
class QLabel;

class EditingPanel : public QTabWidget, public EditorListener {
  Q_OBJECT

 public:
  EditingPanel(Editor& editor, QWidget* parent);
  ~EditingPanel() override;

  // EditorListener: the controls show what the skin holds (no control
  // writes back) and only those of the view shown are enabled.
  void skinReplaced() override { fill(); }
  void fieldChanged(FieldRef field) override;
  void pictureChanged(int entry) override;
  void screenViewChanged(int oldView, int newView) override;
  void lastUpdateChanged() override;

  // Shows the page of the control and gives it the keyboard focus, the
  // page scrolled so it is in sight.
  void focusTarget(const PanelTarget& target);

  // The controls, for tests and for pointing at them.
  ColorButton* colorButton(int index) const { return colorButtons_[index]; }
  ImageButton* imageButton(int index) const { return imageButtons_[index]; }
  QSpinBox* elementSpin(int row, int column) const { return rows_[row].spins[column]; }
  ElementCheckBox* elementCheckBox(int row) const { return rows_[row].check; }
  QLabel* elementLabel(int row) const { return rows_[row].label; }
  QLineEdit* infoField(int index) const { return infoFields_[index]; }
  const std::vector<QWidget*>& controlsOfView(int view) const { return viewControls_[view]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* addPage(const char* titleKey);
  void buildColorsPage();
  void buildImagesPage();
  void buildElementsPage();
  void buildInformationPage();
  void belongsTo(int view, QWidget* control);
  QString text(std::string_view key) const;
  void fill();
  void setViewEnabled(int view, bool enabled);
  void showElement(int row);
  void showInfo(int index);
  void showSwatch(int index);

  Editor& editor_;
  std::array<std::vector<QWidget*>, kScreenViewCount> viewControls_;
  std::vector<ColorButton*> colorButtons_;
  std::vector<ImageButton*> imageButtons_;
  struct Row {
    ElementCheckBox* check = nullptr;
    QLabel* label = nullptr;
    QSpinBox* spins[3] = {nullptr, nullptr, nullptr};
  };
  std::vector<Row> rows_;
  std::vector<QLineEdit*> infoFields_;
};
