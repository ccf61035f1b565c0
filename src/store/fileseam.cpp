#include "fileseam.h"

namespace tallyo {

namespace {

FileStepHook& hook()
{
    static FileStepHook installed;
    return installed;
}

}

void SetFileStepHook(FileStepHook installed)
{
    hook() = std::move(installed);
}

void ReachFileStep(FileStep step, const QString& name)
{
    if (hook())
        hook()(step, name);
}

const char* FileStepName(FileStep step)
{
    switch (step) {
    case FileStep::Create: return "create";
    case FileStep::Write: return "write";
    case FileStep::Truncate: return "truncate";
    case FileStep::Sync: return "sync";
    case FileStep::Close: return "close";
    case FileStep::Rename: return "rename";
    case FileStep::Delete: return "delete";
    case FileStep::SyncFolder: return "sync folder";
    }
    return "?";
}

}
