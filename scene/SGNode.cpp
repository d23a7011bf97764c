#include "scene/SGNode.h"

// Defined out of line so that the vtable lives in one object file.
CSGNode::~CSGNode() = default;

void CSGNode::Select(CSGSelection&) {}
