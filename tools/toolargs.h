#pragma once
// The command line of every tool. `--help` prints the usage and ends the tool;
// a wrong argument (an unknown option, a missing or wrong value, too few or too
// many paths) prints the fault and the usage and ends it with 2. Either way the
// tool has written nothing yet.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace tools {

class Arguments {
public:
    // `positionals` are the names of the arguments that must be given, in order.
    Arguments(const QString& description, const QStringList& positionals)
        : positionals_(positionals)
    {
        parser_.setApplicationDescription(description);
        parser_.addHelpOption();
        for (const QString& name : positionals)
            parser_.addPositionalArgument(name, {});
    }

    // An option with a value; `valueName` shows in the usage.
    QCommandLineOption option(const QString& name, const QString& description, const QString& valueName)
    {
        QCommandLineOption o(name, description, valueName);
        parser_.addOption(o);
        return o;
    }

    // Reads the command line. An exit code when the tool is to end at once.
    std::optional<int> read(const QStringList& arguments)
    {
        const bool parsed = parser_.parse(arguments);
        if (parsed && parser_.isSet(QStringLiteral("help"))) {
            std::fputs(parser_.helpText().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (!parsed)
            return wrong(parser_.errorText());
        const QStringList given = parser_.positionalArguments();
        if (given.size() != positionals_.size())
            return wrong(given.isEmpty() ? QStringLiteral("%1 is missing").arg(positionals_.join(' '))
                                         : QStringLiteral("takes %1, not \"%2\"")
                                               .arg(positionals_.isEmpty() ? QStringLiteral("no path") : positionals_.join(' '),
                                                    given.join(' ')));
        return std::nullopt;
    }

    QString positional(qsizetype i) const { return parser_.positionalArguments().value(i); }
    bool isSet(const QCommandLineOption& o) const { return parser_.isSet(o); }
    QString value(const QCommandLineOption& o) const { return parser_.value(o); }

    // The option's value as a whole number of at least `least`, `fallback` when
    // the option is not given; nullopt (after the usage) for any other value.
    std::optional<int> whole(const QCommandLineOption& o, int fallback, int least)
    {
        if (!parser_.isSet(o))
            return fallback;
        bool ok = false;
        const int n = parser_.value(o).toInt(&ok);
        if (ok && n >= least)
            return n;
        wrong(QStringLiteral("--%1 takes a whole number of at least %2, not \"%3\"")
                  .arg(o.names().first())
                  .arg(least)
                  .arg(parser_.value(o)));
        return std::nullopt;
    }

    // Prints the fault and the usage; the exit code of a wrong argument.
    int wrong(const QString& fault) const
    {
        std::fprintf(stderr, "%s\n\n%s", fault.toLocal8Bit().constData(), parser_.helpText().toLocal8Bit().constData());
        return 2;
    }

private:
    QCommandLineParser parser_;
    QStringList positionals_;
};

}  // namespace tools
