// Folders and files: text streams, sounds, the standard folders.
#pragma once

#include "platform/core/objects.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// A member EOF would be swallowed by the C library's macro of that name: the
// macro goes (where the C value is needed, use std::char_traits<char>::eof()).
#include <cstdio>
#undef EOF

namespace fw {

class TextInputStream;
class Sound;
class Picture;

class FolderItem : public Object {
public:
    explicit FolderItem(std::string path);
    // The item of that name inside this folder, whether or not it exists.
    std::shared_ptr<FolderItem> Child(const std::string& name) const;
    bool Exists() const;
    bool Directory() const;
    void CreateAsFolder() const;  // failures are silent
    // In this folder: removes the hidden temporary files of writes that a
    // killed or ended run left (the writer's own form, held by no writer).
    void RemoveLeftoverTemporaries() const;
    std::string NativePath() const { return path_; }
    std::string Name() const;
    // Nil unless a regular file that can be read (never waits on a FIFO).
    std::shared_ptr<TextInputStream> OpenAsTextFile() const;
    std::shared_ptr<Sound> OpenAsSound() const;  // nil on failure
    // Writes the picture as PNG: True only when the whole file is on disk.
    bool SaveAsPNG(const std::shared_ptr<Picture>& pic, float gamma = 0.0f) const;
    std::string ClassName() const override { return "FolderItem"; }

private:
    std::string path_;
};
using FolderItemRef = std::shared_ptr<FolderItem>;

FolderItemRef DocumentsFolder();    // nil when it cannot be obtained
FolderItemRef PreferencesFolder();  // nil when it cannot be obtained
FolderItemRef ResourcesFolder();    // nil when it cannot be obtained

// Reads a file line by line as a stream: only a buffer's worth of the file
// is held at a time. A UTF-8 byte-order mark at the start is skipped.
class TextInputStream : public Object {
public:
    explicit TextInputStream(int fd);  // takes the descriptor over
    ~TextInputStream() override;
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;
    // Whether every line has been read (a read error ends the file too).
    bool EOF();
    // The next line without its line end (CR, LF or CR LF).
    std::string ReadLine();
    // The same line in pieces, in order, without keeping it: `take` sees each
    // piece and returns False to have the rest of the line skipped.
    void ReadLine(const std::function<bool(std::string_view piece)>& take);
    void Close();

private:
    bool Fill();  // False at the end of the file
    void CloseFile();
    int fd_ = -1;
    std::string buffer_;
    size_t pos_ = 0;
    bool started_ = false;
};

class TextOutputStream : public Object {
public:
    // Makes the file anew (an existing one is replaced); nil on failure, and
    // when the name holds no regular file or the file's mode forbids writing.
    // The new text replaces the file at Close, whole; a failed write keeps the
    // old. In a folder that takes no new file, the file is rewritten in place.
    static std::shared_ptr<TextOutputStream> Create(const FolderItemRef& item);
    ~TextOutputStream() override;
    void WriteLine(const std::string& text);  // text and LF
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class Sound : public Object {
public:
    explicit Sound(std::unique_ptr<class SoundPeer> peer);
    ~Sound() override;
    void Play();
    std::string ClassName() const override { return "Sound"; }

private:
    std::unique_ptr<class SoundPeer> peer_;
};

}  // namespace fw
