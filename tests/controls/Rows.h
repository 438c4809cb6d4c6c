#pragma once

// Data-driven QTest rows from one table of tuples, the first field naming the row.
#include <QTest>

#include <tuple>

template <typename Row> void AddRows(std::initializer_list<Row> rows)
{
    QTest::addColumn<Row>("row");
    for (const Row& row : rows)
        QTest::newRow(std::get<0>(row)) << row;
}

template <typename Row> Row CurrentRow()
{
    return *static_cast<Row*>(QTest::qData("row", qMetaTypeId<Row>()));
}
