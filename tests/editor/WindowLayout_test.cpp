// The main window's remembered layout: resized, moved and closed, it comes back as it was; a position on no screen
// and a maximised window are taken back sensibly; "Obnovit rozvržení" gives the design layout again.
#include "EditorDriver.h"
#include "EditorFixture.h"

#include "preview/EntryPreview.h"

using namespace EditorDriver;

namespace {
TEntryPreview &Pane(TForm1 &form) { return *form.findChild<TEntryPreview *>(QStringLiteral("EntryPreview")); }
} // namespace

class TWindowLayoutTest : public QObject {
  Q_OBJECT

private slots:
  void TheWindowComesBackAsItWasClosed() {
    TEditorFixture fixture;
    QSize designSize;
    int designPaneWidth = 0;
    {
      TForm1 form;
      Show(form);
      designSize = form.size();
      designPaneWidth = Pane(form).width();
      form.setGeometry(QRect(30, 40, designSize.width() + 120, designSize.height() + 90));
      form.resizeDocks({&Pane(form)}, {designPaneWidth + 60}, Qt::Horizontal);
      QTRY_COMPARE(Pane(form).width(), designPaneWidth + 60);
      QVERIFY(form.close());
    }
    const QByteArray ini = fixture.Read(fixture.Path(QStringLiteral("config.ini")));
    QVERIFY2(ini.contains("[WindowLayout]") && ini.contains("[ImageFileExts]"), ini.constData());
    {
      TForm1 form;
      Show(form);
      QCOMPARE(form.geometry(), QRect(30, 40, designSize.width() + 120, designSize.height() + 90));
      QTRY_COMPARE(Pane(form).width(), designPaneWidth + 60);

      Trigger(form, "ObnovitRozvrzeni1");
      QTRY_COMPARE(form.size(), designSize);
      QTRY_COMPARE(Pane(form).width(), designPaneWidth);
      form.showMaximized();
      QVERIFY(form.close());
    }
    {
      TForm1 form;
      Show(form);
      QVERIFY(form.isMaximized());
      form.showNormal();
      QTRY_COMPARE(form.size(), designSize);
    }
  }

  void APositionOnNoScreenIsLeftToTheWindowManager() {
    TEditorFixture fixture;
    fixture.File(QStringLiteral("config.ini"), "[WindowLayout]\nLeft=20000\nTop=20000\nWidth=900\nHeight=400\n");
    TForm1 form;
    Show(form);
    QCOMPARE(form.size(), QSize(900, 400).expandedTo(form.minimumSize()));
    QVERIFY(form.screen()->geometry().contains(form.geometry().topLeft()));
  }
};

QTEST_MAIN(TWindowLayoutTest)
#include "WindowLayout_test.moc"
