#pragma once

#include "shell/form1.h"
#include "support/tempdoc.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A main window loaded on a documentation file in a temporary directory, with a clock the
// test moves by hand and message boxes recorded instead of shown.
struct FormFixture {
    explicit FormFixture(const QByteArray &doc, const QByteArray &settings = QByteArray(),
                         bool writeDoc = true)
    {
        startDir = QDir::currentPath();
        if (writeDoc)
            writeTempFile(dir, "tamo.txw", doc);
        if (!settings.isNull())
            writeTempFile(dir, "tamoini.txt", settings);
        QDir::setCurrent(dir.path());
        form = std::make_unique<Form1>([this] { return now; });
        form->messageBox = [this](const QString &text, const QString &title) {
            messages << title + QStringLiteral(": ") + text;
        };
        form->Form_Load();
    }
    ~FormFixture()
    {
        form.reset();
        QDir::setCurrent(startDir);
    }

    // Moves the clock past the picture throttle, so the next update runs at once.
    void later(double seconds = 5) { now += seconds; }

    QTemporaryDir dir;
    QString startDir;
    double now = 36000; // 10:00
    QStringList messages;
    std::unique_ptr<Form1> form;
};
