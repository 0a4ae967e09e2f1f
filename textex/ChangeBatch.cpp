#include "textex/ChangeBatch.h"

#include "textex/EditorOwner.h"

ChangeBatch::ChangeBatch(EditorOwner& owner)
    : mOwner(owner)
    , mOuterPending(owner.beginChanges())
{
}

ChangeBatch::~ChangeBatch()
{
    mOwner.endChanges(mOuterPending);
}

void ChangeBatch::force()
{
    mOwner.forceChange();
}
