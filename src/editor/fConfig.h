// The settings dialog TConfigForm: edits the image and sound extension lists, the compression level and the
// interface language.
#pragma once

#include "config/ConversionSettings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class TExtList;

// Edits the lists in place and writes both lists, the compression level, the conversion settings and the language
// to config.ini whenever it closes; there is no Cancel. The language takes effect at the next start.
class TConfigForm : public QDialog {
public:
  explicit TConfigForm(QWidget *parent = nullptr);

  // Binds the two lists (not owned) and shows the dialog modally; returns when it has closed.
  void ShowSettings(TExtList &imageExts, TExtList &soundExts);

  static void WriteCompressionLevel(int level);

  void ComboBox1Change();
  // Enter in the edit box adds its text; other keys act normally.
  void Edit1KeyDown(int key);
  void Button1Click();
  void Button2Click();
  void Button3Click();

  // Every close comes here: "Konec", the close box and Escape.
  void done(int result) override;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void FormClose();
  void FillListBox();
  void SelectExtension(const QString &text);
  // The conversion controls for the group ComboBox1 shows.
  void ShowConversion();

  TConversionSettings FConversion;
  TExtList *FImageExts = nullptr;
  TExtList *FSoundExts = nullptr;
  TExtList *FCurrentExts = nullptr;

  QComboBox *ComboBox1;
  QListWidget *ListBox1;
  QLineEdit *Edit1;
  QPushButton *Button1;
  QPushButton *Button2;
  QPushButton *Button3;
  QButtonGroup *RadioGroup1;
  QComboBox *ComboBox2; // the language: "Čeština" (0), "English" (1)
  QCheckBox *CheckBox1; // "Převádět při přidání", for the group shown
  QLabel *Label5;       // the extensions converted in the group shown, and what they become
  QLabel *Label4;       // "Převzorkovat na", shown with the sounds
  QComboBox *ComboBox3; // the rates of OfferedSampleRates
};
