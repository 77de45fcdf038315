#include "storagetestsupport.h"

#include "illustrationrecord.h"

#include <QFile>
#include <csignal>
#include <sys/resource.h>

QByteArray SampleRecord(int number, const QString &last, bool deleted) {
    RecordingPrompter prompter;
    Illustration illustration(prompter);
    MakeRmdSample(illustration, QDate(2022, 3, 1));
    illustration.fields().SetField(last, QStringLiteral("8-PartLast"));
    illustration.fields().SetField(QString::number(number), QStringLiteral("3-DatabaseIndex"));
    QByteArray record = IllustrationRecord::encode(BuildRecord(illustration));
    if (deleted)
        record[0] = '0';
    return record;
}

QByteArray SampleDatabase(int count, std::initializer_list<int> deleted) {
    QByteArray bytes;
    for (int number = 1; number <= count; ++number)
        bytes += SampleRecord(number, QStringLiteral("Name%1").arg(number),
                              std::find(deleted.begin(), deleted.end(), number) != deleted.end());
    return bytes;
}

QStringList Prompts(const RecordingPrompter &prompter) {
    QStringList prompts;
    for (const auto &question : prompter.questions())
        prompts << question.caption + QStringLiteral(": ") + question.text;
    for (const auto &message : prompter.messages())
        prompts << message.caption + QStringLiteral(": ") + message.text;
    return prompts;
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_oldLimit = limit.rlim_cur;
    limit.rlim_cur = rlim_t(bytes);
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_oldLimit);
    setrlimit(RLIMIT_FSIZE, &limit);
}
