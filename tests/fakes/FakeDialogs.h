#pragma once

#include "platform/Dialogs.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Dialogs that a test answers in advance, each recorded as "inform <title>|<text>",
/// "warn ...", "ask <title>|<question>", "choose <title>|<text>", "file <title>|<folder>|<filter>",
/// "save <title>", "folder <title>", "inform later ..." or "ask later ...". Questions and choosers
/// take the next queued answer ("Yes", "No", "Cancel", a caption, a path); with none left they
/// answer as a closed dialog does (No, or Cancel where offered; no choice; no file), except a
/// question that does not wait: it stays open.
class FakeDialogs final : public Dialogs, public CallLog
{
public:
    void inform(QWidget* parent, const QString& title, const QString& text) override
    {
        opened(parent, QStringLiteral("inform %1|%2").arg(title, text));
    }
    void warn(QWidget* parent, const QString& title, const QString& text) override
    {
        opened(parent, QStringLiteral("warn %1|%2").arg(title, text));
    }
    Answer ask(QWidget* parent, const QString& title, const QString& question,
               bool withCancel) override
    {
        opened(parent, QStringLiteral("ask %1|%2").arg(title, question));
        const QString answer = next();
        if (answer == QLatin1String("Yes"))
            return Answer::Yes;
        return answer == QLatin1String("No") || !withCancel ? Answer::No : Answer::Cancel;
    }
    QString choose(QWidget* parent, const QString& title, const QString& text,
                   const QStringList& choices) override
    {
        opened(parent, QStringLiteral("choose %1|%2").arg(title, text));
        const QString answer = next();
        return choices.contains(answer) ? answer : QString();
    }
    QString chooseFile(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) override
    {
        opened(parent, QStringLiteral("file %1|%2|%3").arg(title, folder, filter));
        return next();
    }
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString&,
                           const QString&) override
    {
        opened(parent, QStringLiteral("save ") + title);
        return next();
    }
    QString chooseFolder(QWidget* parent, const QString& title) override
    {
        opened(parent, QStringLiteral("folder ") + title);
        return next();
    }
    void informLater(const QString& title, const QString& text) override
    {
        opened(nullptr, QStringLiteral("inform later %1|%2").arg(title, text));
    }
    void askLater(const QString& title, const QString& question,
                  std::function<void(bool)> answered) override
    {
        opened(nullptr, QStringLiteral("ask later %1|%2").arg(title, question));
        if (!m_answers.isEmpty() && answered)
            answered(next() == QLatin1String("Yes"));
    }

    /// Queues the answer of the next question or chooser.
    void answer(const QString& answer) { m_answers.append(answer); }
    /// The window the last dialog belonged to.
    QWidget* lastParent() const { return m_lastParent; }

private:
    void opened(QWidget* parent, const QString& call)
    {
        m_lastParent = parent;
        record(call);
    }
    QString next() { return m_answers.isEmpty() ? QString() : m_answers.takeFirst(); }

    QStringList m_answers;
    QWidget* m_lastParent = nullptr;
};

} // namespace tarvex
