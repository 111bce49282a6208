#pragma once
// The language a run starts in: the one stored in setfile.ini ("language"),
// unless the command line names another for this run with `--lang zh|en`
// (or `--lang=en`). The stored choice is left as it is.

#include "console/InterfaceLanguage.h"

#include <QStringList>

#include <optional>

// `arguments` as the program was started, its own path first. Nothing when
// `--lang` is given without a language this program speaks.
std::optional<TLanguage> StartLanguage(const QStringList& arguments, TLanguage stored);
