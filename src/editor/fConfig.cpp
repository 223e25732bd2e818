// The settings dialog TConfigForm: edits the image and sound extension lists, the compression level and the
// interface language.
#include "editor/fConfig.h"

#include "config/ExtList.h"
#include "convert/Conversion.h"
#include "config/LanguageSetting.h"
#include "platform/Prompt.h"
#include "desktop/DesktopFont.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {
QPushButton *Button(QWidget *parent, const char *name, const QString &caption, QRect geometry) {
  auto *button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  // Enter belongs to the edit box (it adds the extension), never to a default button.
  button->setAutoDefault(false);
  return button;
}

// Upper case of the ASCII letters only, as file extensions are upper-cased before they are compared.
QString AsciiUpper(const QString &text) {
  QString upper = text;
  for (QChar &c : upper)
    if (c >= u'a' && c <= u'z')
      c = QChar(c.unicode() - 'a' + 'A');
  return upper;
}
} // namespace

TConfigForm::TConfigForm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ConfigForm"));
  setWindowTitle(QCoreApplication::translate("TConfigForm", "Nastavení"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(280, 322);
  setFont(SmallSansFont());

  auto *label = new QLabel(QCoreApplication::translate("TConfigForm", "Vyber typ souborů"), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setGeometry(8, 0, 145, 16);

  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->addItems(
      {QCoreApplication::translate("TConfigForm", "Obrázkové"), QCoreApplication::translate("TConfigForm", "Zvukové")});
  ComboBox1->setGeometry(8, 16, 145, 21);

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setSortingEnabled(true);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setGeometry(8, 40, 145, 145);

  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMaxLength(5);
  Edit1->setGeometry(8, 187, 145, 21);

  // Conversion of the chosen group on the way in, under its list: the switch, what it converts, the sounds' rate.
  CheckBox1 = new QCheckBox(QCoreApplication::translate("TConfigForm", "Převádět při přidání"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setGeometry(8, 214, 264, 20);
  Label5 = new QLabel(this);
  Label5->setObjectName(QStringLiteral("Label5"));
  Label5->setGeometry(26, 234, 246, 16);
  Label4 = new QLabel(QCoreApplication::translate("TConfigForm", "Převzorkovat na"), this);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label4->setGeometry(8, 254, 145, 21);
  ComboBox3 = new QComboBox(this);
  ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
  for (const int32_t rate : OfferedSampleRates)
    ComboBox3->addItem(rate == 0 ? QCoreApplication::translate("TConfigForm", "beze změny")
                                 : QStringLiteral("%1 Hz").arg(rate));
  ComboBox3->setGeometry(160, 254, 113, 21);
  Label4->setBuddy(ComboBox3);

  Button1 = Button(this, "Button1", QCoreApplication::translate("TConfigForm", "Přidat"), QRect(8, 286, 75, 25));
  Button2 = Button(this, "Button2", QCoreApplication::translate("TConfigForm", "Odebrat"), QRect(82, 286, 75, 25));
  Button3 = Button(this, "Button3", QCoreApplication::translate("TConfigForm", "Konec"), QRect(184, 286, 75, 25));

  auto *group = new QGroupBox(QCoreApplication::translate("TConfigForm", "Úroveň komprese"), this);
  group->setObjectName(QStringLiteral("RadioGroup1"));
  group->setGeometry(160, 16, 113, 105);
  auto *column = new QVBoxLayout(group);
  column->setContentsMargins(8, 4, 4, 4);
  column->setSpacing(0);
  RadioGroup1 = new QButtonGroup(this);
  const QString levels[] = {
      QCoreApplication::translate("TConfigForm", "Zádná"), QCoreApplication::translate("TConfigForm", "Rychlá"),
      QCoreApplication::translate("TConfigForm", "Normální"), QCoreApplication::translate("TConfigForm", "Nejlepší")};
  for (int i = 0; i < 4; ++i) {
    auto *choice = new QRadioButton(levels[i], group);
    choice->setObjectName(QStringLiteral("Level%1").arg(i));
    column->addWidget(choice);
    RadioGroup1->addButton(choice, i);
  }

  // The language, under the compression levels; each language is named in itself.
  auto *languageLabel = new QLabel(QCoreApplication::translate("TConfigForm", "Jazyk"), this);
  languageLabel->setObjectName(QStringLiteral("Label2"));
  languageLabel->setGeometry(160, 124, 113, 16);
  ComboBox2 = new QComboBox(this);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  ComboBox2->addItems({QStringLiteral("Čeština"), QStringLiteral("English")});
  ComboBox2->setGeometry(160, 140, 113, 21);
  languageLabel->setBuddy(ComboBox2);
  auto *languageNote = new QLabel(QCoreApplication::translate("TConfigForm", "Projeví se při příštím spuštění."), this);
  languageNote->setObjectName(QStringLiteral("Label3"));
  languageNote->setWordWrap(true);
  languageNote->setGeometry(160, 164, 113, 44);

  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
  Edit1->installEventFilter(this);
  connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
    (ComboBox1->currentIndex() == 1 ? FConversion.Sounds : FConversion.Pictures) = on;
    ComboBox3->setEnabled(FConversion.Sounds);
  });
  connect(ComboBox3, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0)
      FConversion.SampleRate = OfferedSampleRates[static_cast<std::size_t>(index)];
  });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}


void TConfigForm::WriteCompressionLevel(int level) { ::WriteCompressionLevel(level); }

void TConfigForm::ShowSettings(TExtList &imageExts, TExtList &soundExts) {
  FImageExts = &imageExts;
  FSoundExts = &soundExts;
  FCurrentExts = FImageExts;
  {
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->setCurrentIndex(0);
  }
  // A hand-edited level outside 0..3 shows as normal, the level saves use for it, so the dialog writes a valid one.
  RadioGroup1->button(ClampCompressionLevel(::ReadCompressionLevel()))->setChecked(true);
  // The stored choice, not a TOVRIK_LANG of this run: closing the dialog must not make the override permanent.
  ComboBox2->setCurrentIndex(ReadLanguageSetting() == TLanguage::English ? 1 : 0);
  FConversion = ReadConversionSettings();
  ComboBox3->setCurrentIndex(static_cast<int>(
      std::find(OfferedSampleRates.begin(), OfferedSampleRates.end(), FConversion.SampleRate) - OfferedSampleRates.begin()));
  ShowConversion();
  FillListBox();
  exec();
}

void TConfigForm::ShowConversion() {
  const bool sounds = ComboBox1->currentIndex() == 1;
  const TMediaGroup group = sounds ? TMediaGroup::Sounds : TMediaGroup::Pictures;
  {
    const QSignalBlocker quiet(CheckBox1);
    CheckBox1->setChecked(sounds ? FConversion.Sounds : FConversion.Pictures);
  }
  QStringList converted;
  for (const std::string &ext : ConvertedExtensions(group))
    converted << QString::fromStdString(ext);
  Label5->setText(converted.join(QStringLiteral(", ")) + QStringLiteral(" \u2192 ") +
                  QString::fromLatin1(ConvertedTargetExtension(group)));
  Label4->setVisible(sounds);
  ComboBox3->setVisible(sounds);
  ComboBox3->setEnabled(FConversion.Sounds);
}

void TConfigForm::FillListBox() {
  ListBox1->setUpdatesEnabled(false);
  ListBox1->clear();
  for (const TExtString &ext : FCurrentExts->Items())
    ListBox1->addItem(QString::fromStdString(ext.Utf8()));
  ListBox1->setUpdatesEnabled(true);
}

void TConfigForm::SelectExtension(const QString &text) {
  const QList<QListWidgetItem *> found = ListBox1->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (!found.isEmpty())
    ListBox1->setCurrentItem(found.front());
}

void TConfigForm::ComboBox1Change() {
  if (ComboBox1->currentIndex() == 0)
    FCurrentExts = FImageExts;
  else if (ComboBox1->currentIndex() == 1)
    FCurrentExts = FSoundExts;
  ShowConversion();
  FillListBox();
  if (ListBox1->count() > 0)
    ListBox1->setCurrentRow(0);
}

bool TConfigForm::eventFilter(QObject *watched, QEvent *event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Edit1KeyDown(key);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TConfigForm::Edit1KeyDown(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter)
    Button1Click();
}

void TConfigForm::Button1Click() {
  if (Edit1->text().isEmpty()) {
    Prompt().ShowError(QCoreApplication::translate("TConfigForm", "Nelze vložit prázdný řetězec!").toStdString());
    return;
  }
  // An extension is compared with its dot, so one typed without it gets it; "png" becomes ".PNG".
  QString text = AsciiUpper(Edit1->text());
  if (!text.startsWith(QLatin1Char('.')))
    text.prepend(QLatin1Char('.'));
  if (text.size() > TExtString::Capacity) {
    Prompt().ShowError(
        QCoreApplication::translate("TConfigForm", "Přípona může mít nejvýše 4 znaky za tečkou!").toStdString());
    return;
  }
  const TExtString ext = TExtString::FromUtf8(text.toStdString());
  FCurrentExts->Add(ext);
  FillListBox();
  SelectExtension(QString::fromStdString(ext.Utf8()));
  Edit1->clear();
}

void TConfigForm::Button2Click() {
  const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
  if (selected.isEmpty()) {
    Prompt().ShowError(QCoreApplication::translate("TConfigForm", "Seznam je prázdný!").toStdString());
    return;
  }
  FCurrentExts->Remove(TExtString::FromUtf8(selected.front()->text().toStdString()));
  FillListBox();
}

void TConfigForm::Button3Click() { close(); }

void TConfigForm::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TConfigForm::FormClose() {
  if (!FImageExts)
    return;
  try {
    FImageExts->SaveToIni();
    FSoundExts->SaveToIni();
    WriteCompressionLevel(std::max(RadioGroup1->checkedId(), 0));
    if (FConversion != ReadConversionSettings()) // as the language: a config.ini without them keeps its sections
      WriteConversionSettings(FConversion);
    // Written only when it changes, so a config.ini that never had the key keeps its sections as they were.
    const TLanguage language = ComboBox2->currentIndex() == 1 ? TLanguage::English : TLanguage::Czech;
    if (language != ReadLanguageSetting())
      WriteLanguageSetting(language);
  } catch (const std::exception &error) {
    Prompt().ShowError(error.what());
  }
}
