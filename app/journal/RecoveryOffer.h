#pragma once

#include "journal/JournalFolder.h"
#include "journal/JournalReader.h"

#include <memory>
#include <vector>

class IMessageBox;

/// A journal the user chose to restore: its document, and its slot, still held, so that
/// the window that restores it goes on writing it.
struct Recovery {
    std::unique_ptr<JournalSlot> slot;
    RecoveredDocument document;
};

/// Offers each of `orphans` in turn: what it holds (the file name or "untitled", its size
/// and the time of its last change), and Yes to restore it (the default button), No to
/// discard it, or Cancel to decide at the next start. A journal that cannot be read is told
/// of and left as it is. Returns the journals to restore, in the order offered.
std::vector<Recovery> offerRecoveries(IMessageBox& messages, std::vector<std::unique_ptr<JournalSlot>> orphans);

/// The question that offers `document`.
QString recoveryQuestion(const RecoveredDocument& document);
