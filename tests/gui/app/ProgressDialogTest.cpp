#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <future>
#include <thread>

#include "CDeviceSimulator.h"
#include "CPlatformTransportFactory.h"
#include "CSimTcpServer.h"
#include "app/CObserverDialog.h"
#include "app/CObserverProxyUI.h"
#include "app/CPrivateException.h"
#include "app/CProgressDialog.h"
#include "app/RunTransfer.h"
#include "comm/CModbusInterface.h"
#include "device/ParameterSet.h"
#include "support/PromptFixture.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {

constexpr int kWaitMs = 10000;

// A link that opens and closes without a device; the job's transfer is the fake.
class CNullTransport : public ITransport {
public:
    void Open() override {}
    void Close() override {}
    bool IsOpen() const override { return true; }
    void DiscardInput() override {}
    void Write(const std::uint8_t*, std::size_t) override {}
    std::size_t Read(std::uint8_t*, std::size_t, int) override { return 0; }
    void Cancel() override {}
};

class CNullTransports : public ITransportFactory {
public:
    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings&) override
    {
        return std::make_unique<CNullTransport>();
    }
    std::unique_ptr<ITransport> CreateTcp(const std::string&, const std::string&) override
    {
        return std::make_unique<CNullTransport>();
    }
};

// Runs the progress window without a nested exec(): waits for it to finish.
int WaitForFinish(QDialog& dialog, const std::function<void(QDialog&)>& whileRunning = {})
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    if (whileRunning)
        whileRunning(dialog);
    if (finished.isEmpty() && !finished.wait(kWaitMs))
        return -1;
    return finished.front().front().toInt();
}

class CountingDialog : public CObserverDialog {
public:
    ~CountingDialog() override { DetachAll(); }
    std::vector<CObservable*> seen;
    std::vector<bool> onGuiThread;

protected:
    void OnObservedUpdate(CObservable* source) override
    {
        seen.push_back(source);
        onGuiThread.push_back(QThread::currentThread() == thread());
    }
};

class CountingObserver : public CObserver {
public:
    int updates = 0;
    void Update(CObservable*) override { ++updates; }
};

} // namespace

class ProgressDialogTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<>> prompts_;
    CNullTransports transports_;

    ParameterSet Marked(std::uint16_t value)
    {
        ParameterSet set;
        set.words[0] = value;
        return set;
    }

private slots:
    void init()
    {
        prompts_.emplace();
        SetTransportFactory(&transports_);
        SetModalRunner([](QDialog& d) { return WaitForFinish(d); });
    }
    void cleanup()
    {
        SetTransportFactory(nullptr);
        prompts_.reset();
    }

    void completedUploadReplacesTheCallersSet()
    {
        CModbusInterface master;
        ParameterSet set = Marked(1);
        const bool done = RunTransfer(master, set, TransferOperation::Read,
                                      [](CModbusInterface&, ParameterSet& p, IProgressSink& sink) {
                                          p.words[0] = 77;
                                          sink.ReportProgress(50);
                                          sink.ReportProgress(100);
                                          return true;
                                      });
        QVERIFY(done);
        QCOMPARE(set.words[0], std::uint16_t(77));
        QVERIFY(prompts_->shown.empty());
    }

    void downloadWritesTheCallersValuesAndLeavesThemAlone()
    {
        CModbusInterface master;
        ParameterSet set = Marked(5);
        std::uint16_t written = 0;
        QVERIFY(RunTransfer(master, set, TransferOperation::Write,
                            [&](CModbusInterface&, ParameterSet& p, IProgressSink&) {
                                written = p.words[0];
                                p.words[0] = 99;
                                return true;
                            }));
        QCOMPARE(written, std::uint16_t(5));
        QCOMPARE(set.words[0], std::uint16_t(5));
    }

    void failureIsRaisedAfterTheWindowClosed()
    {
        CModbusInterface master;
        ParameterSet set = Marked(1);
        bool windowOpenWhenThrown = true;
        QDialog* seen = nullptr;
        SetModalRunner([&](QDialog& d) {
            seen = &d;
            const int r = WaitForFinish(d);
            return r;
        });
        try {
            RunTransfer(master, set, TransferOperation::Read,
                        [](CModbusInterface&, ParameterSet& p, IProgressSink&) -> bool {
                            p.words[0] = 66;
                            throw CPrivateException(std::string("Modbus command failed."));
                        });
            QFAIL("no error raised");
        } catch (const CPrivateException& e) {
            QCOMPARE(e.Text(), std::string("Modbus command failed."));
            windowOpenWhenThrown = false;
        }
        QVERIFY(seen != nullptr);
        QVERIFY(!windowOpenWhenThrown);
        QCOMPARE(set.words[0], std::uint16_t(1));
        QVERIFY(prompts_->shown.empty()); // the caller's handler shows it, once
    }

    void cancelEndsWithoutMessageAndKeepsTheSet()
    {
        CModbusInterface master;
        ParameterSet set = Marked(3);
        std::promise<void> cancelPressed;
        std::shared_future<void> pressed = cancelPressed.get_future().share();
        SetModalRunner([&](QDialog& d) {
            return WaitForFinish(d, [&](QDialog& dialog) {
                auto* bar = FindControl<QProgressBar>(&dialog, CProgressDialog::kProgressBar);
                if (!QTest::qWaitFor([bar] { return bar->value() == 10; }, kWaitMs))
                    qWarning("no progress reported");
                // Escape does not close the window before the job ends; it cancels.
                QTest::keyClick(&dialog, Qt::Key_Escape);
                FindControl<QPushButton>(&dialog, CProgressDialog::kCancel)->click();
                cancelPressed.set_value();
            });
        });
        const bool done = RunTransfer(master, set, TransferOperation::Read,
                                      [&](CModbusInterface&, ParameterSet& p, IProgressSink& sink) {
                                          p.words[0] = 44;
                                          sink.ReportProgress(10);
                                          pressed.wait();
                                          if (sink.IsCancelRequested())
                                              return false;
                                          sink.ReportProgress(100);
                                          return true;
                                      });
        QVERIFY(!done);
        QCOMPARE(set.words[0], std::uint16_t(3));
        QVERIFY(prompts_->shown.empty());
        QVERIFY(master.IsAbortRequested());
    }

    void uploadFromTheSimulatorIdentifiesTheDevice()
    {
        SimOptions options;
        options.typeId = 70;
        CDeviceSimulator simulator(options);
        CSimTcpServer server(simulator, "127.0.0.1", 0);
        CPlatformTransportFactory platform;
        SetTransportFactory(&platform);
        ComSettings settings;
        settings.mode = ConnectionMode::Tcp;
        settings.serverAddress = "127.0.0.1";
        settings.servicePort = std::to_string(server.Port());
        CModbusInterface master(settings);
        ParameterSet set;
        QVERIFY(RunTransfer(master, set, TransferOperation::Read));
        QCOMPARE(set.type.TypeId(), 70);
        QCOMPARE(master.SuccessRate(), 100.0);
        QVERIFY(prompts_->shown.empty());
    }

    void successRateAndQualityIcon()
    {
        struct : ITransferConnection {
            void Open() override {}
            void Close() override {}
            void AbortForCancel() override {}
        } connection;
        for (bool infrared : {false, true}) {
            CProgressDialog::Link link;
            link.infrared = infrared;
            link.successRate = [] { return 62.5; };
            CProgressDialog dialog(
                TransferOperation::Write, connection, [](IProgressSink&) { return true; }, link);
            dialog.show();
            dialog.RefreshSuccessRate();
            QCOMPARE(FindControl<QLabel>(&dialog, CProgressDialog::kSuccessRate)->text(),
                     QStringLiteral("62.5"));
            QCOMPARE(FindControl<QLabel>(&dialog, CProgressDialog::kOperationText)->text(),
                     UiText(11015));
            auto* icon = FindControl<QLabel>(&dialog, CProgressDialog::kQualityIcon);
            QCOMPARE(icon->isVisible(), infrared);
        }
    }

    void observerDialogGetsNotificationsOnItsThreadInOrder()
    {
        CObservable subject;
        CObservable other;
        CountingDialog dialog;
        subject.Attach(dialog);
        std::thread worker([&] {
            subject.Notify();
            subject.Notify(&other);
        });
        worker.join();
        QVERIFY(dialog.seen.empty()); // nothing runs inside the worker's Notify
        QTRY_COMPARE(dialog.seen.size(), std::size_t(2));
        QCOMPARE(dialog.seen[0], &subject);
        QCOMPARE(dialog.seen[1], &other);
        QCOMPARE(dialog.onGuiThread, (std::vector<bool>{true, true}));
    }

    void notificationsQueuedForADestroyedWindowAreDropped()
    {
        CObservable subject;
        int handled = 0;
        {
            struct Dialog : CObserverDialog {
                int* handled;
                explicit Dialog(int* h) : handled(h) {}
                ~Dialog() override { DetachAll(); }
                void OnObservedUpdate(CObservable*) override { ++*handled; }
            } dialog(&handled);
            subject.Attach(dialog);
            std::thread worker([&] { subject.Notify(); });
            worker.join();
        }
        QCOMPARE(subject.ObserverCount(), std::size_t(0));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(handled, 0);
    }

    void proxyPassesNotificationsOnOnTheGuiThread()
    {
        CObservable subject;
        CountingObserver observer;
        auto proxy = std::make_unique<CObserverProxyUI>();
        subject.Attach(*proxy);
        proxy->Attach(observer);
        std::thread worker([&] { subject.Notify(); });
        worker.join();
        QCOMPARE(observer.updates, 0);
        QTRY_COMPARE(observer.updates, 1);

        std::thread late([&] { subject.Notify(); });
        late.join();
        proxy.reset();
        QCoreApplication::processEvents();
        QCOMPARE(observer.updates, 1);
        QCOMPARE(subject.ObserverCount(), std::size_t(0));
        QCOMPARE(observer.SubjectCount(), std::size_t(0));
    }
};

QTEST_MAIN(ProgressDialogTest)
#include "ProgressDialogTest.moc"
