#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

// INI files, through the system's profile functions. Class-level operations only; never
// instantiated. Every text is 8-bit in the system's ANSI code page, as the profile functions
// take it. Every INI access holds a lock shared by all running copies of the program, so that
// none reads or writes a file another is rewriting. Defined in the Windows part of core.
class TIniFile {
public:
    TIniFile() = delete;

    // One value, or Default when no regular file FileName exists or it has no such key; a
    // key with an empty value gives the empty text. A value comes back cut to 2047
    // characters.
    static std::string ReadIniString(const std::string& Section, const std::string& Key,
                                     const std::string& FileName,
                                     const std::string& Default = std::string());

    // Several values of one section, each as ReadIniString reads it (Keys[i] with Defaults[i]),
    // in one holding of the lock and one parse of the file.
    static std::vector<std::string> ReadIniStrings(const std::string& Section,
                                                   const std::vector<std::string>& Keys,
                                                   const std::vector<std::string>& Defaults,
                                                   const std::string& FileName);
    // Writes one value, creating the file and the section where they are missing. A
    // read-only file is made writable first. Throws EIniFileException when the write fails,
    // also when the disk has no room for the rewritten file; the file then stays as it was.
    static void WriteIniString(const std::string& Section, const std::string& Key,
                               const std::string& Value, const std::string& FileName);

    // Adds values of one section, behind its other lines and in the order given, for keys the
    // section does not hold yet (once the lines of the keys in Removed are taken out): all of
    // them, or none, in which case the file keeps its old bytes (a file that did not exist
    // stays missing) and EIniFileException is thrown. A read-only file is made writable first.
    static void WriteIniStrings(const std::string& Section,
                                const std::vector<std::pair<std::string, std::string>>& Values,
                                const std::string& FileName,
                                const std::vector<std::string>& Removed = {});

    // Takes a section out of the file, its header line with its lines, under the settings lock;
    // a missing file or section changes nothing. A read-only file is made writable first.
    // Throws EIniFileException when the write fails; the file then stays as it was.
    static void EraseSection(const std::string& Section, const std::string& FileName);

    // Runs Action holding the settings lock, so that what it reads and then writes is not
    // changed by another running copy in between. The INI operations called inside take the
    // same lock again, which a thread may.
    static void WithSettingsLock(const std::function<void()>& Action);

    // Every line of a section as "key=value", in the order the file holds them; nothing for a
    // missing file or section. Values read as ReadIniString reads them (without enclosing
    // quotation marks, cut to 2047 characters), but each line its own: a key that occurs
    // twice gives both values. Lines without a name or a "=" are no entries and left out.
    static std::vector<std::string> ReadSectionValues(const std::string& Section,
                                                      const std::string& FileName);
    // The same lines in one block of text, each followed by a NUL: a section of 100 000 lines
    // takes its bytes, where a string for each line took some 80 bytes more.
    static std::string ReadSectionBlock(const std::string& Section, const std::string& FileName);
    // The two ways ReadSectionBlock reads, each holding the lock: in one pass over the file, as
    // the profile functions read it (false, and Block left alone, for a file this reader leaves
    // to them: one with a byte-order mark or a NUL byte, or a section name of letters outside
    // ASCII); and through the profile functions.
    static bool ReadSectionOwnWay(const std::string& Section, const std::string& FileName,
                                  std::string& Block);
    static std::string ReadSectionProfileWay(const std::string& Section, const std::string& FileName);

    // Removes one key's line: the first of that name in the first section of that name that has
    // one. An 8-bit file and a key of digits (what the program writes) keep every other byte.
    // Reports nothing: a missing file or key, a read-only file, or a disk without room for the
    // rewritten file, leaves everything as it was. Gives the section's lines afterwards, as
    // ReadSectionBlock reads them, in the same holding of the lock and most often without
    // reading the file again.
    static std::string DeleteIniKey(const std::string& Section, const std::string& Key,
                             const std::string& FileName);

    // From now on every write above leaves the files as they are, without a word (a run from
    // the command line, which must change nothing); reading goes on as before.
    static void LeaveFilesAlone();
};
