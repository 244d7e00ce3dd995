#pragma once

namespace cr {

class Sqlca;

// Puts a session into the engine's settings for loading very many rows
// (Dialect::bulkLoadStart) for as long as it lives, and back afterwards.
// Settings that fail leave the load as it would be without them.
class BulkLoadSettings {
public:
    explicit BulkLoadSettings(Sqlca& sqlca);
    ~BulkLoadSettings();
    BulkLoadSettings(const BulkLoadSettings&) = delete;
    BulkLoadSettings& operator=(const BulkLoadSettings&) = delete;

private:
    Sqlca& m_sqlca;
};

} // namespace cr
