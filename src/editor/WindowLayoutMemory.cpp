// The main window's remembered layout: size, position, maximised state, the preview pane's width and the widths
// the user gave the grids' columns, kept in config.ini at closing and taken back when the window is first shown;
// "Obnovit rozvržení" goes back to the design.
#include "editor/fTovrikEditor.h"

#include "config/WindowLayout.h"
#include "editor/ColumnWidths.h"
#include "grid/XStringGrid.h"
#include "preview/EntryPreview.h"

#include <QGuiApplication>
#include <QScreen>

void TForm1::RestoreLayout() {
  const TWindowLayout layout = ReadWindowLayout();
  if (layout.Known) {
    const QRect remembered(layout.Left, layout.Top, layout.Width, layout.Height);
    // A position on a screen that is gone (a projector, a second monitor) would put the window out of reach:
    // the window manager places it instead.
    if (QGuiApplication::screenAt(QPoint(remembered.center().x(), remembered.top())))
      setGeometry(QRect(remembered.topLeft(), remembered.size().expandedTo(minimumSize())));
    else
      resize(remembered.size().expandedTo(minimumSize()));
  }
  RestoreColumnWidths(*XStringGrid1, mkImages, layout.ImageColumnWidths);
  RestoreColumnWidths(*XStringGrid2, mkSounds, layout.SoundColumnWidths);
  rememberedPreviewWidth = layout.PreviewWidth;
  if (layout.PreviewWidth > 0 && !EntryPreview1->isHidden())
    resizeDocks({EntryPreview1}, {layout.PreviewWidth}, Qt::Horizontal);
  if (layout.Maximized)
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::SaveLayout() {
  TWindowLayout layout;
  const QRect frame = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
  layout.Known = true;
  layout.Left = frame.left();
  layout.Top = frame.top();
  layout.Width = frame.width();
  layout.Height = frame.height();
  layout.Maximized = isMaximized();
  layout.PreviewWidth = EntryPreview1->isHidden() ? rememberedPreviewWidth : EntryPreview1->width();
  layout.ImageColumnWidths = UserColumnWidths(*XStringGrid1);
  layout.SoundColumnWidths = UserColumnWidths(*XStringGrid2);
  WriteWindowLayout(layout);
}

void TForm1::ObnovitRozvrzeniClick() {
  ForgetWindowLayout();
  rememberedPreviewWidth = 0;
  showNormal();
  resizeDocks({EntryPreview1}, {EntryPreview1->sizeHint().width()}, Qt::Horizontal);
  resize(minimumSize());
  FitClientArea();
  ResetColumnWidths(*XStringGrid1, mkImages);
  ResetColumnWidths(*XStringGrid2, mkSounds);
}
