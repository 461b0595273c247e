#pragma once

namespace hvx {

enum class EngineKind { SQLite, PostgreSQL };

}  // namespace hvx
