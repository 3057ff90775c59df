#pragma once

#include <QFile>
#include <QString>

// The largest sample Meal-Master archive, written the given number of times into one file.
inline QString writeRepeatedArchive(const QString &target, int copies)
{
    QFile archive(QStringLiteral(BENCH_TESTDATA_DIR "/mealmaster/JJ_perl6-recipes-apress/apetizer.mmf"));
    if (!archive.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(archive.fileName()));
    const QByteArray bytes = archive.readAll();
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(target));
    for (int i = 0; i < copies; ++i)
        out.write(bytes);
    return target;
}
