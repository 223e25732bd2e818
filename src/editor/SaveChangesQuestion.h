// The question asked before unsaved changes would go: "Uložit změny?" with Uložit, Neukládat and Zrušit.
#pragma once

class QWidget;

enum class TSaveChangesAnswer { Save, Discard, Cancel };

// A modal box centred on window; Escape and the close box answer Zrušit.
TSaveChangesAnswer AskSaveChanges(QWidget *window);
