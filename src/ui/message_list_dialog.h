// The box that lists every problem of one open or save: a summary line, the
// problems one per line in a scrollable read-only field (selectable, so
// paths can be copied), and OK.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class MessageListDialog : public QDialog {
  Q_OBJECT

 public:
  MessageListDialog(QWidget* parent, const QString& title, const QString& summary,
                    const QStringList& lines, const QString& okText);

  QLabel* summaryLabel() const { return summary_; }
  QPlainTextEdit* list() const { return list_; }
  QPushButton* okButton() const { return ok_; }

 private:
  QLabel* summary_;
  QPlainTextEdit* list_;
  QPushButton* ok_;
};
