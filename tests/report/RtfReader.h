#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QString>

#include <vector>

// A small RTF reader for the tests, written apart from the writer so that the
// two do not share mistakes. It knows only the few control words a report may
// hold and reads them the way a word processor would: group state, \plain,
// paragraph marks, \uN with its fallback, and pictures.
struct ReadRun
{
    QString text;
    QByteArray picture; // the embedded bytes of a picture run
    QString font;
    qreal pointSize = 12;
    bool bold = false;
    bool italic = false;
    QColor colour; // invalid: automatic
};

struct ReadParagraph
{
    std::vector<ReadRun> runs;
    char alignment = 'l'; // 'l', 'c', 'r'
    QString text() const;
};

struct ReadDocument
{
    std::vector<ReadParagraph> paragraphs;
    QHash<QByteArray, int> header; // first value of each numbered control word
};

enum class UnicodeEscapes { Read, Ignore }; // Ignore: a reader that shows the fallback bytes

ReadDocument readRtf(const QByteArray &rtf, UnicodeEscapes escapes = UnicodeEscapes::Read);
