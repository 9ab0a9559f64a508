// Linked into each layer's shared check with the layer's archive whole; holds nothing itself.
