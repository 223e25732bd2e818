// The editor windows' 8-point sans serif: a compact Arial-like face where the desktop has one.
#pragma once

#include <QFont>

QFont SmallSansFont();
