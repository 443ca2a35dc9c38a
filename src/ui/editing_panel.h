// The tabbed panel through which the author edits the skin: colours,
// pictures, element positions and flags, descriptive texts, and the
// settings of the file that no control above edits. Widgets are
// built from the control tables and every change goes straight to the
// Editor; only the controls of the ScreenView being previewed are enabled.
// A page's controls are built when it is first shown (or first asked for),
// so that start-up builds only what the first frame shows.
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
class OtherSettingsPage;

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

  enum Page { ColorsPage, ImagesPage, ElementsPage, InformationPage, OtherPage, PageCount };
  // Builds the page's controls unless they exist; they then show the
  // model's values and the current view's enabled state.
  void ensurePage(int page);
  bool pageBuilt(int page) const { return built_[page]; }

  // The controls (their page built first), for tests and for pointing at them.
  ColorButton* colorButton(int index) {
    ensurePage(ColorsPage);
    return colorButtons_[index];
  }
  ImageButton* imageButton(int index) {
    ensurePage(ImagesPage);
    return imageButtons_[index];
  }
  QSpinBox* elementSpin(int row, int column) {
    ensurePage(ElementsPage);
    return rows_[row].spins[column];
  }
  ElementCheckBox* elementCheckBox(int row) {
    ensurePage(ElementsPage);
    return rows_[row].check;
  }
  QLabel* elementLabel(int row) {
    ensurePage(ElementsPage);
    return rows_[row].label;
  }
  QLineEdit* infoField(int index) {
    ensurePage(InformationPage);
    return infoFields_[index];
  }
  OtherSettingsPage* otherSettings() {
    ensurePage(OtherPage);
    return otherSettings_;
  }
  const std::vector<QWidget*>& controlsOfView(int view) {
    for (int page = 0; page < PageCount; ++page) ensurePage(page);
    return viewControls_[view];
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void addPage(const char* titleKey);
  // The tab titles in a font small enough for all five to show side by
  // side in the panel's width, in every language (down to a legible size,
  // past which the tab bar scrolls).
  void fitTabs();
  void buildColorsPage(QWidget* content);
  void buildImagesPage(QWidget* content);
  void buildElementsPage(QWidget* content);
  void buildInformationPage(QWidget* content);
  void fillElements();
  void fillInformation();
  void refreshSwatches();
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
  OtherSettingsPage* otherSettings_ = nullptr;
  std::array<bool, PageCount> built_{};
};
