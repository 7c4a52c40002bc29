#include "support/ScriptedPrompter.h"

#include <QTest>

void ScriptedPrompter::showMessage(QWidget*, const QString& text)
{
    shown_.append({Kind::Message, text});
}

void ScriptedPrompter::showWarning(QWidget*, const QString& text)
{
    shown_.append({Kind::Warning, text});
}

bool ScriptedPrompter::confirm(QWidget*, const QString& text)
{
    shown_.append({Kind::Confirm, text});
    if (!answers_.isEmpty())
        return answers_.takeFirst();
    if (expected_.contains(text))
        return true;
    QTest::qFail(qPrintable(QStringLiteral("unexpected confirmation: \"%1\"").arg(text)), __FILE__, __LINE__);
    return false;
}

void ScriptedPrompter::showError(QWidget*, const QString& text)
{
    shown_.append({Kind::Error, text});
}

QString ScriptedPrompter::askSaveFileName(QWidget*, const QString& caption, const QString& suggestedName,
                                          const QString&)
{
    shown_.append({Kind::SaveFileName, caption});
    suggestedFileNames_.append(suggestedName);
    if (!fileAnswers_.isEmpty())
        return fileAnswers_.takeFirst();
    QTest::qFail(qPrintable(QStringLiteral("unexpected file question: \"%1\"").arg(caption)), __FILE__, __LINE__);
    return QString();
}

QString ScriptedPrompter::askOpenFileName(QWidget*, const QString& caption, const QString&, const QString&)
{
    shown_.append({Kind::OpenFileName, caption});
    if (!fileAnswers_.isEmpty())
        return fileAnswers_.takeFirst();
    QTest::qFail(qPrintable(QStringLiteral("unexpected file question: \"%1\"").arg(caption)), __FILE__, __LINE__);
    return QString();
}

QStringList ScriptedPrompter::texts() const
{
    QStringList all;
    for (const Shown& s : shown_)
        all << s.text;
    return all;
}

QStringList ScriptedPrompter::textsOf(Kind kind) const
{
    QStringList some;
    for (const Shown& s : shown_)
        if (s.kind == kind)
            some << s.text;
    return some;
}

QStringList ScriptedPrompter::messages() const { return textsOf(Kind::Message); }
QStringList ScriptedPrompter::warnings() const { return textsOf(Kind::Warning); }
QStringList ScriptedPrompter::errors() const { return textsOf(Kind::Error); }
QStringList ScriptedPrompter::confirmations() const { return textsOf(Kind::Confirm); }
QStringList ScriptedPrompter::fileQuestions() const
{
    QStringList some;
    for (const Shown& s : shown_)
        if (s.kind == Kind::SaveFileName || s.kind == Kind::OpenFileName)
            some << s.text;
    return some;
}
