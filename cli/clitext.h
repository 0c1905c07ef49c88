#pragma once

#include <QCoreApplication>

// The translation context of every text the command-line tool shows:
// Cli::tr("...").
class Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};
