#include "widgets/FollowedDataSource.h"
#include "widgets/TDataSource.h"

#include <QTest>
#include <memory>

namespace {
// Counts what reached a control through its followed source.
struct Counts
{
    int changed = 0;
    int fields = 0;
    int destroyed = 0;

    FollowedDataSource::Handlers Handlers()
    {
        return {.dataSetChanged = [this] { ++changed; },
                .stateChanged = [this] { ++changed; },
                .scrolled = [this] { ++changed; },
                .fieldChanged = [this](TField *) { ++fields; },
                .destroyed = [this] { ++destroyed; }};
    }
};
} // namespace

class TestFollowedDataSource : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsOnlyTheCurrentSource();
    void destroyedSourceIsLetGo();
    void holderGoneStopsTheHandlers();
};

void TestFollowedDataSource::followsOnlyTheCurrentSource()
{
    QObject control;
    Counts counts;
    FollowedDataSource followed(&control, counts.Handlers());
    TDataSource first;
    TDataSource second;
    QVERIFY(followed.Follow(&first));
    QVERIFY(!followed.Follow(&first));
    Q_EMIT first.scrolled();
    Q_EMIT first.fieldChanged(nullptr);
    QCOMPARE(counts.changed, 1);
    QCOMPARE(counts.fields, 1);

    QVERIFY(followed.Follow(&second));
    QCOMPARE(static_cast<TDataSource *>(followed), &second);
    Q_EMIT first.stateChanged();
    Q_EMIT first.dataSetChanged();
    QCOMPARE(counts.changed, 1);
    Q_EMIT second.stateChanged();
    QCOMPARE(counts.changed, 2);

    QVERIFY(followed.Follow(nullptr));
    Q_EMIT second.dataSetChanged();
    QCOMPARE(counts.changed, 2);
    QCOMPARE(counts.destroyed, 0);
}

void TestFollowedDataSource::destroyedSourceIsLetGo()
{
    QObject control;
    const FollowedDataSource *self = nullptr;
    bool nullWhenTold = false;
    FollowedDataSource followed(&control, {.destroyed = [&] { nullWhenTold = !*self; }});
    self = &followed;
    auto source = std::make_unique<TDataSource>();
    followed.Follow(source.get());
    source.reset();
    QVERIFY(nullWhenTold);
    QVERIFY(!followed);
    TDataSource next;
    QVERIFY(followed.Follow(&next));
}

void TestFollowedDataSource::holderGoneStopsTheHandlers()
{
    QObject control;
    Counts counts;
    TDataSource source;
    {
        FollowedDataSource followed(&control, counts.Handlers());
        followed.Follow(&source);
    }
    Q_EMIT source.scrolled();
    Q_EMIT source.fieldChanged(nullptr);
    QCOMPARE(counts.changed, 0);
    QCOMPARE(counts.fields, 0);
}

QTEST_GUILESS_MAIN(TestFollowedDataSource)
#include "tst_FollowedDataSource.moc"
