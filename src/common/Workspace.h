#pragma once
// The database engine's default workspace: the frame of the export's transactions.
// The tick-grid windows take it when they load and close it when they unload.

#include <QString>
#include <memory>

class Workspace {
public:
    static std::shared_ptr<Workspace> DefaultWorkspace();
    bool IsOpen() const { return m_open; }
    void Close() { m_open = false; }

private:
    bool m_open = true;
};
