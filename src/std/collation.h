#pragma once

#include <QCollator>
#include <QList>
#include <QString>
#include <QStringList>

// The one alphabetical order of every sorted list of the viewer: German dictionary order
// without regard to case, umlauts beside their base letters, independent of the process
// locale. A blank sorts before the double quote, and that before digits and letters, which
// is what the ranking list relies on to put higher totals (more leading blanks) first.
namespace tamo::collation {

const QCollator &collator();

// < 0, 0, > 0 like strcmp; 0 for texts that differ only in case.
int compare(const QString &a, const QString &b);

// The permutation that puts texts in sorted order, where texts that compare equal keep the
// reverse of their given order: the order a sorted list reaches when each text is inserted
// in front of the entries equal to it, one after another. Sort keys are computed once.
QList<qsizetype> insertionOrder(const QStringList &texts);

} // namespace tamo::collation
