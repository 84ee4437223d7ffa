#pragma once

#include <QString>

#include <cstdio>
#include <memory>

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Raises EInOutError with a message that names the photo and the reason.
[[noreturn]] void FailPhoto(const QString &path, const QString &reason);

// Opens a photo for reading. Only a regular file is opened: a folder would read as an
// empty file, and a named pipe would wait for a writer that never comes, freezing the
// window. Raises EInOutError when the file cannot be opened.
FilePtr OpenPhotoFile(const QString &path);
