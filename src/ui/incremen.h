#pragma once

#include "data/DataSet.h"
#include "data/DataSource.h"

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QTimer>

class TTable;

// A search box over a table: what the user types moves the table's current record to the
// nearest match, once typing pauses, so that a burst of keystrokes costs one search. It only
// positions the table and never writes to it, and it does not follow the table either.
class TIncrementalSearch : public QLineEdit {
    Q_OBJECT
public:
    explicit TIncrementalSearch(QWidget *owner = nullptr);
    ~TIncrementalSearch() override;

    // The field searched on; empty means the last field of the table's current index.
    QString SearchFieldName() const { return m_searchFieldName; }
    void setSearchFieldName(const QString &fieldName) { m_searchFieldName = fieldName; }

    TDataSource *DataSource() const { return m_dataSource; }
    void setDataSource(TDataSource *dataSource);

    // The pause before a search, in milliseconds, on a server database and on local tables.
    int TimerIntervalSQL() const { return m_timerIntervalSql; }
    void setTimerIntervalSQL(int milliseconds) { m_timerIntervalSql = milliseconds; }
    int TimerIntervalIndex() const { return m_timerIntervalIndex; }
    void setTimerIntervalIndex(int milliseconds) { m_timerIntervalIndex = milliseconds; }

    // The control that receives the Page Up, Page Down, Up and Down keys typed here.
    QWidget *NavigationControl() const { return m_navigationControl; }
    void setNavigationControl(QWidget *control);

    // Moves the table to the first record, in index order, whose key is equal to or greater
    // than the current text. Does nothing while the link is inactive or not on a table.
    void Search();
    TField SearchField() const;
    // Empties the box without searching.
    void Clear();

    // True while a search waits for the pause to end.
    bool isSearchPending() const { return m_timer.isActive(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Change();
    void TimerExpired();
    void ActiveChanged();
    void Notification(QObject *removed);
    bool KeyDown(const QKeyEvent &event);
    bool KeyPress(const QKeyEvent &event) const;
    void watchDataSet();
    void dataSetStateChanged();
    bool isLinkActive() const;
    TDataSet *dataSet() const;
    TTable *table() const;
    bool usesServerDatabase() const;

    QString m_searchFieldName;
    QPointer<TDataSource> m_dataSource;
    QPointer<TDataSet> m_watchedDataSet;
    bool m_linkActive = false;
    int m_timerIntervalSql = 700;
    int m_timerIntervalIndex = 250;
    QWidget *m_navigationControl = nullptr;
    QTimer m_timer;
    QString m_lastSearch;
    bool m_suppressed = true;  // while being built or cleared: text changes start no search
};
