#pragma once

#include "print/PageViewer.h"

#include <QList>

// Stands in for the print preview: keeps every document shown so that a test
// can look at its pages, and returns at once as if the user had closed it.
class CapturingPageViewer final : public PageViewer {
public:
    struct Shown {
        QList<Page> pages;
        QString title;
    };

    void showPages(QWidget*, const QList<Page>& pages, const QString& title) override
    {
        shown_.append({pages, title});
    }

    const QList<Shown>& shown() const { return shown_; }
    int count() const { return int(shown_.size()); }
    // The pages of the last document shown; empty when none was.
    QList<Page> lastPages() const { return shown_.isEmpty() ? QList<Page>() : shown_.last().pages; }
    QString lastTitle() const { return shown_.isEmpty() ? QString() : shown_.last().title; }
    void clear() { shown_.clear(); }

private:
    QList<Shown> shown_;
};
