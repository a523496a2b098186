#pragma once

#include <QString>
#include <QStringList>

// What the information window presents: the maker's catalogue and about texts, read from
// the program's own data file. Paragraphs are kept apart; the window joins them.
struct InfoContent
{
    static constexpr int CatalogueSize = 19; // the maker's programs, numbered from 1

    struct Entry
    {
        QString title;
        QStringList paragraphs;
    };
    struct Featured
    {
        int entry = 0; // catalogue number, from 1
        QString version;
        QString summary;
        QString slogan;
    };

    QStringList imageKeys;        // the image list: 22 keys, icon n is the (n)th key's picture
    QList<Entry> catalogue;       // entry n at n - 1
    QList<Featured> featured;     // the two showcase tabs
    QStringList portraitCaptions; // the guide, then the two authors
    QStringList authorsParagraphs;
    QStringList homepagesParagraphs;

    // Reads the data file built into the program. Throws UserError when it is missing or malformed.
    static InfoContent embedded();
    static InfoContent fromJson(const QByteArray &json);
};
