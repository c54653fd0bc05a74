// Several quote files as one list of sayings: positions 1..count() run through the files in
// order, so that every saying of every file has the same chance and one order (the one kept
// across runs) runs over all of them.
#pragma once

#include "quotes/saying_order.h"
#include "quotes/tip_list.h"

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dewmoth::quotes {

// One file to read, and the rules it is read by.
struct CollectionFile
{
    std::filesystem::path path;
    ReadLimits rules; // only its rules: whether it may be a fortune file, whether it must be text
};

// Something a folder holds that is not read, and why.
struct PassedOver
{
    enum class Why {
        Index,      // a strfile index (*.dat), which every fortune folder holds
        Twin,       // `x` where `x.u8` is read instead
        Duplicate,  // the same file as one read already
        NotAFile,   // a FIFO, device or socket
        TooDeep,    // a folder inside a folder inside the folder
        Unreachable // a link that leads nowhere or round in a loop, or a folder that cannot be read
    };
    std::filesystem::path path;
    Why why = Why::NotAFile;
    std::string detail; // the system's words, for the log

    // Every fortune folder holds indexes and twins: no warning for those.
    bool expected() const { return why == Why::Index || why == Why::Twin || why == Why::Duplicate; }
};

// The reason in English, for the log; the command line translates it ("dewmoth" context).
const char *passedOverText(PassedOver::Why why);

struct CollectionPlan
{
    std::vector<CollectionFile> files;
    std::vector<PassedOver> passedOver;
};

// Adds the files of `folder`, in the order of their names: files and links to files, and the
// same of a folder (or a link to one) inside it, one level down only. Passed over, each with its
// reason: strfile indexes (*.dat), a file `x` whose twin `x.u8` is there too, the same file
// reached twice, and anything that is not a file.
void addFolder(CollectionPlan &plan, const std::filesystem::path &folder);

// Adds what the user named: a folder as addFolder() does, else the file (TIPOFDAY.TXT by its
// line rules, any other file as a fortune file when it is one).
void addNamed(CollectionPlan &plan, const std::filesystem::path &path);

// The rules a file is read by: TIPOFDAY.TXT holds one saying per line; any other file of a
// collection may be a fortune file, and one found in a folder must be text.
ReadLimits collectionRules(const std::filesystem::path &path, bool foundInFolder);

class Collection
{
public:
    qint32 count() const { return m_ends.empty() ? 0 : m_ends.back(); }
    // Whether a file was indexed only in part, or not yet: the rest is to come.
    bool partial() const;
    // The first file's, for messages about a collection of one file.
    std::filesystem::path path() const;
    // What the order kept across runs knows the collection by. For one file, its own path,
    // size and time, as orders kept before collections of several files had.
    CollectionId id() const;

    // The saying at `position` (1-based), as TipList::read.
    std::optional<QString> read(qint32 position, qsizetype maxChars = -1) const;
    QString at(qint32 position, qsizetype maxChars = -1) const
    {
        return read(position, maxChars).value_or(QString());
    }

private:
    friend struct CollectionRead readCollection(const CollectionPlan &plan,
                                                const ReadLimits &limits);
    friend FileCheck followCollection(Collection &collection, qint32 failedPosition,
                                      std::uint64_t waitBytes);

    void add(TipList list);
    void recount();
    // Numbers the list after the last one numbered.
    void countLast();
    // The list that holds `position`, and the position in it.
    std::pair<std::size_t, qint32> locate(qint32 position) const;

    std::vector<TipList> m_lists;
    std::vector<qint32> m_ends; // m_ends[k]: the last position of list k
    bool m_unread = false;      // files left for later: the head's budget was spent
};

// What became of one file of a plan.
struct FileReport
{
    std::filesystem::path path;
    LoadStatus status = LoadStatus::NotFound;
    qint32 count = 0;
    bool fortunes = false;
    core::Failure failure;
};

struct CollectionRead
{
    LoadStatus status = LoadStatus::NotFound; // Loaded when any file was; else Unreadable when
                                              // any file could not be read; else NotFound
    core::Failure failure;                    // the first file's that could not be read
    std::filesystem::path failedPath;
    Collection collection;
    std::vector<FileReport> reports; // one per file of the plan, in its order
};

// Reads the files of the plan in order. With `limits.headBytes`, that many bytes in all: the
// files after them wait, and partial() says so. A file that cannot be read is passed over.
CollectionRead readCollection(const CollectionPlan &plan, const ReadLimits &limits = {});

// As followQuoteFile, for each file of the collection: `failedPosition` (when not 0) is the
// saying whose read failed, whose file is indexed anew whatever its stamp says.
FileCheck followCollection(Collection &collection, qint32 failedPosition = 0,
                           std::uint64_t waitBytes = 0);

} // namespace dewmoth::quotes
