#pragma once
// File-dialog filters as the module writes them ("Grain Search Set
// (*.gss)|*.gss|": description and pattern pairs separated by bars), turned
// into Qt's form ("Grain Search Set (*.gss)", pairs separated by ";;").
#include <QString>

namespace hvx {

struct QtFileFilter {
    QString filters;        // for QFileDialog::setNameFilters, ";;"-separated
    QString defaultSuffix;  // "gss": the first pattern's extension, if it has one
};

// A text without bars is taken to be in Qt's form already.
QtFileFilter ToQtFileFilter(const QString& filter);

}  // namespace hvx
