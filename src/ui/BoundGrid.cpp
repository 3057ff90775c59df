#include "ui/BoundGrid.h"

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "ui/CommandGuard.h"
#include "ui/DataSetTableModel.h"
#include "ui/FocusMark.h"
#include "ui/RowIndicatorHeader.h"

#include <QHeaderView>
#include <QPainter>

BoundGrid::BoundGrid(QWidget *parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    QPalette keepVisible = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        keepVisible.setColor(QPalette::Inactive, role, keepVisible.color(QPalette::Active, role));
    setPalette(keepVisible);
}

void BoundGrid::bind(TDataSource &source)
{
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    delete m_model;
    m_dataSet = source.dataSet();
    m_model = m_dataSet ? new DataSetTableModel(*m_dataSet, this) : nullptr;
    setModel(m_model);
    if (!m_dataSet)
        return;
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, guarded(this, &BoundGrid::currentRowChanged));
    connect(m_dataSet, &TDataSet::dataSetChanged, this, &BoundGrid::followDataSet);
    connect(m_dataSet, &TDataSet::recordChanged, this, &BoundGrid::followDataSet);
    sizeColumns();
    followDataSet();
}

void BoundGrid::setColumnOrder(const QStringList &fieldNames)
{
    QHeaderView *header = horizontalHeader();
    for (int place = 0; place < fieldNames.size() && m_model; ++place) {
        for (int column = 0; column < m_model->columnCount(); ++column) {
            if (m_model->headerData(column, Qt::Horizontal).toString() == fieldNames[place]) {
                header->moveSection(header->visualIndex(column), place);
                break;
            }
        }
    }
}

TDataSet *BoundGrid::dataSet() const
{
    return m_dataSet;
}

void BoundGrid::setRowIndicator(bool on)
{
    if (on && !qobject_cast<RowIndicatorHeader *>(verticalHeader())) {
        auto *header = new RowIndicatorHeader(this);
        header->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
        setVerticalHeader(header);
    }
    verticalHeader()->setVisible(on);
}

// The selection shows with or without the focus; the mark tells where the arrow keys act.
void BoundGrid::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    const int row = currentIndex().row();
    if (!hasFocus() || row < 0)
        return;
    QPainter painter(viewport());
    const QRect line(-horizontalOffset(), rowViewportPosition(row), horizontalHeader()->length(), rowHeight(row));
    drawFocusMark(painter, line.intersected(viewport()->rect()), palette());
}

void BoundGrid::followDataSet()
{
    if (!m_dataSet || !m_model)
        return;
    const int row = m_dataSet->recNo();
    if (row < 0 || row >= m_dataSet->recordCount()) {
        selectionModel()->clearCurrentIndex();
        return;
    }
    while (row >= m_model->rowCount() && m_model->canFetchMore({}))
        m_model->fetchMore({});
    if (currentIndex().row() == row && selectionModel()->isRowSelected(row, {}))
        return;
    const QModelIndex target = m_model->index(row, qMax(0, currentIndex().column()));
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
}

void BoundGrid::currentRowChanged(const QModelIndex &current)
{
    verticalHeader()->viewport()->update();
    if (!m_dataSet || !current.isValid() || current.row() == m_dataSet->recNo())
        return;
    m_dataSet->setRecNo(current.row());
}

void BoundGrid::sizeColumns()
{
    const int charWidth = fontMetrics().averageCharWidth();
    for (int column = 0; column < m_model->columnCount(); ++column)
        setColumnWidth(column, m_model->displayWidth(column) * charWidth + 8);
}
