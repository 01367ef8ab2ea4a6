#pragma once

// What the calculator does differently in a web page, where Qt draws every
// window into one canvas: the page's title follows the main window's, a
// live region tells a screen reader what the canvas cannot, the Liberation
// faces come embedded (the page has only Qt's own), and the page says when
// the program has ended. Everywhere else these do nothing.

#include <QString>

#ifdef Q_OS_WASM
#include <QDir>
#include <QFontDatabase>
#include <emscripten/val.h>
#endif

namespace webPage {

// Calls improvesPage.<function>(text) in the page, if the page has it (Qt's
// own test pages do not).
inline void tell([[maybe_unused]] const char *function, [[maybe_unused]] const QString &text)
{
#ifdef Q_OS_WASM
    const emscripten::val page = emscripten::val::global("improvesPage");
    if (!page.isUndefined())
        page.call<void>(function, text.toStdString());
#endif
}

// The main window's title, as the page's title.
inline void setTitle(const QString &title) { tell("setTitle", title); }

// Words for a screen reader, once each: a report.
inline void announce(const QString &text) { tell("announce", text); }

// A new result, its verdict and its working, once each; put together only
// in a page, where someone hears them.
inline void announceResult([[maybe_unused]] const QString &meaning, [[maybe_unused]] const QString &number,
                           [[maybe_unused]] const QString &verdict, [[maybe_unused]] const QString &working)
{
#ifdef Q_OS_WASM
    announce(QStringLiteral("%1 %2\n%3\n%4").arg(meaning, number, verdict, working));
#endif
}

// The program has ended: the page says how to start it again.
inline void ended() { tell("ended", QString()); }

// The faces the layout was drawn with, from the program's own resources
// (the build embeds them in the web build alone).
inline void addFaces()
{
#ifdef Q_OS_WASM
    for (const QString &face : QDir(QStringLiteral(":/faces")).entryList(QDir::Files))
        QFontDatabase::addApplicationFont(QStringLiteral(":/faces/") + face);
#endif
}

} // namespace webPage
