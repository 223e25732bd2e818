// The context menu of the grids' rows: Přidat, Aktualizovat, Exportovat…, Přejmenovat…, Označit k odebrání,
// Nahoru, Dolů and Vyplnit výběr.
#pragma once

#include <QObject>

#include <initializer_list>

class QAction;
class QMenu;
class TXStringGrid;

class TRowContextMenu : public QObject {
public:
  // The menu holds actions in this order (a null entry is a separator); it is owned by parent.
  TRowContextMenu(QWidget *parent, std::initializer_list<QAction *> actions);
  // A right press on an entry row makes it current (unless it lies in the selected block) without touching its
  // removal mark; the menu then opens there, also from the keyboard's menu key.
  void Watch(TXStringGrid &grid);
  QMenu &Menu() const { return *menu; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QMenu *menu;
};
