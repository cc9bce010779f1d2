#include "Workspace.h"

std::shared_ptr<Workspace> Workspace::DefaultWorkspace()
{
    return std::make_shared<Workspace>();
}
